// The keys of the three record kinds, each with its trailing "=", in the order a record writes
// them. Nothing outside core names a key: the registers hand the values out by name.
#pragma once

#include <string>
#include <string_view>

namespace taviro::keys {

inline constexpr std::string_view kId = "ID=";

// A unit (Cell.dat).
namespace unit {
inline constexpr std::string_view kFirm = "CELLFIRM=";
inline constexpr std::string_view kCity = "CELLCITY=";
inline constexpr std::string_view kName = "CELLNAME=";
inline constexpr std::string_view kPerson = "CELLPERSON=";
inline constexpr std::string_view kPosition = "CELLPOSITION=";
inline constexpr std::string_view kDate = "CELLDATE=";
inline constexpr std::string_view kDelete = "CELLDELETE=";
} // namespace unit

// An employee (Pe<unit>.dat).
namespace employee {
inline constexpr std::string_view kName = "PERSONNAME=";
inline constexpr std::string_view kSurname = "PERSONSURNAME=";
inline constexpr std::string_view kPosition = "PERSONPOSITION=";
inline constexpr std::string_view kEmploy = "PERSONEMPLOY=";
inline constexpr std::string_view kDate1 = "PERSONDATE1=";
inline constexpr std::string_view kDate2 = "PERSONDATE2=";
inline constexpr std::string_view kDuty1 = "PERSONDUTY1=";
inline constexpr std::string_view kDuty2 = "PERSONDUTY2=";
inline constexpr std::string_view kDelete = "PERSONDELETE=";
} // namespace employee

// An appraisal (Gr<employee>.dat): part A, the criteria of part B, the opinion of part C, the level
// grid and grade of part D, part E, then the interview-notes document and the deletion flag.
namespace appraisal {
inline constexpr std::string_view kFirm = "SECTIONAFIRM=";
inline constexpr std::string_view kName = "SECTIONANAME=";
inline constexpr std::string_view kSurname = "SECTIONASURNAME=";
inline constexpr std::string_view kCell = "SECTIONACELL=";
inline constexpr std::string_view kPosition = "SECTIONAPOSITION=";
inline constexpr std::string_view kEmploy = "SECTIONAEMPLOY=";
inline constexpr std::string_view kDate1 = "SECTIONADATE1=";
inline constexpr std::string_view kDate2 = "SECTIONADATE2=";
inline constexpr std::string_view kOldGrade = "SECTIONAOLDGRADE=";
inline constexpr std::string_view kOldDate = "SECTIONAOLDDATE=";
inline constexpr std::string_view kCity = "SECTIONACITY=";
inline constexpr std::string_view kDate = "SECTIONADATE=";
inline constexpr std::string_view kInfoDate = "SECTIONAINFODATE=";
inline constexpr std::string_view kInfoTime = "SECTIONAINFOTIME=";
inline constexpr std::string_view kInfoDate2 = "SECTIONAINFODATE2=";
inline constexpr int kCriterionSlots = 11;
inline constexpr std::string_view kCriterionName = "SECTIONBCRITERIONNAME=";
inline constexpr std::string_view kCriterionNote = "SECTIONBCRITERIONNOTE=";
inline constexpr std::string_view kGradeMonth = "SECTIONBGRADEMONATH=";
inline constexpr std::string_view kGradeYear = "SECTIONBGRADEYEAR=";
inline constexpr std::string_view kGradeName = "SECTIONBGRADENAME=";
inline constexpr std::string_view kGradePosition = "SECTIONBGRADEPOSITION=";
inline constexpr std::string_view kGradeDate = "SECTIONBGRADEDATE=";
inline constexpr std::string_view kBossNote = "SECTIONBBOSSNOTE=";
inline constexpr std::string_view kBossName = "SECTIONBBOSSNAME=";
inline constexpr std::string_view kBossCity = "SECTIONBBOSSCITY=";
inline constexpr std::string_view kEvaluatorName = "SECTIONCNAME=";
inline constexpr std::string_view kEvaluatorSurname = "SECTIONCSURNAME=";
inline constexpr std::string_view kEvaluatorPosition = "SECTIONCPOSITION=";
inline constexpr std::string_view kEvaluatorDate = "SECTIONCDATE=";
inline constexpr std::string_view kOpinion = "SECTIONCNOTE=";
inline constexpr std::string_view kAppraisedPerson = "SECTIONDPERSON=";
inline constexpr std::string_view kPeriodStart = "SECTIONDDATE1=";
inline constexpr std::string_view kPeriodEnd = "SECTIONDDATE2=";
inline constexpr std::string_view kGrade = "SECTIONDGRADE=";
inline constexpr std::string_view kGradeCity = "SECTIONDCITY=";
inline constexpr std::string_view kGradeDrawnUp = "SECTIONDDATE3=";
inline constexpr std::string_view kAcknowledgedName = "SECTIONENAME=";
inline constexpr std::string_view kAcknowledgedCity = "SECTIONECITY=";
inline constexpr std::string_view kDocument = "GRADEVAR=";
inline constexpr std::string_view kDelete = "DELETE=";

// "SECTIONBCRITERION<n>=", n from 1 to kCriterionSlots.
inline std::string criterion(int n)
{
    return "SECTIONBCRITERION" + std::to_string(n) + "=";
}
// A row of the level grid: "SECTIONDCRINAME<n>=" and "SECTIONDCRIVAL<n>=", n from 1.
inline std::string criterionRowName(int n)
{
    return "SECTIONDCRINAME" + std::to_string(n) + "=";
}
inline std::string criterionRowLevel(int n)
{
    return "SECTIONDCRIVAL" + std::to_string(n) + "=";
}
} // namespace appraisal

} // namespace taviro::keys
