// One appraisal as its record holds it: every field of parts A to E of the sheet, the criterion rows
// of the level grid and the interview-notes document, with the conversion to and from the record's
// key/value lines in their write order.
#pragma once

#include "RecordText.h"

#include <string>
#include <vector>

namespace taviro {

// Level index of a criterion row: 0 none, 1 "Niezadowalający", 2 "Zadowalający", 3 "Dobry",
// 4 "Bardzo dobry". The overall level uses 1 to 4 the same way (0: none chosen).
inline constexpr int kHighestLevel = 4;

struct CriterionRow
{
    std::string name;
    int level = 0;
    bool operator==(const CriterionRow&) const = default;
};

// Texts are as the record holds them: a one-line value keeps a "#" or "$" it was stored with (the
// record files use them for line breaks, so a reader would otherwise turn them into one); the
// multi-line values (criterionNote, bossNote, opinion) hold real line breaks (CR LF). Dates and the
// time are their stored texts (dd-mm-yyyy, hh:mm:ss).
struct Appraisal
{
    std::string id;

    // Part A
    std::string firm;             // SECTIONAFIRM=
    std::string firstName;        // SECTIONANAME=
    std::string surname;          // SECTIONASURNAME=
    std::string cell;             // SECTIONACELL=
    std::string position;         // SECTIONAPOSITION=
    bool appointment = true;      // SECTIONAEMPLOY= "1" ("mianowania") or "0" ("zatrudnienia")
    std::string employmentDate;   // SECTIONADATE1=
    std::string positionDate;     // SECTIONADATE2=
    std::string previousGrade;    // SECTIONAOLDGRADE=
    std::string previousDate;     // SECTIONAOLDDATE=
    std::string city;             // SECTIONACITY=
    std::string date;             // SECTIONADATE=
    std::string interviewDate;    // SECTIONAINFODATE=
    std::string interviewTime;    // SECTIONAINFOTIME=
    std::string notificationDate; // SECTIONAINFODATE2=

    // Part B
    std::vector<std::string> criteria; // SECTIONBCRITERION1= … 11=, the chosen names in order
    std::string additionalCriterion;   // SECTIONBCRITERIONNAME=
    std::string additionalNote;        // SECTIONBCRITERIONNOTE=, multi-line
    int writtenMonth = 0;              // SECTIONBGRADEMONATH=, 0 January … 11 December
    std::string writtenYear;           // SECTIONBGRADEYEAR=
    std::string evaluatorFullName;     // SECTIONBGRADENAME=
    std::string evaluatorPositionB;    // SECTIONBGRADEPOSITION=
    std::string evaluatorDateB;        // SECTIONBGRADEDATE=
    std::string headNote;              // SECTIONBBOSSNOTE=, multi-line
    std::string headName;              // SECTIONBBOSSNAME=
    std::string headCity;              // SECTIONBBOSSCITY=

    // Part C
    std::string evaluatorFirstName; // SECTIONCNAME=
    std::string evaluatorSurname;   // SECTIONCSURNAME=
    std::string evaluatorPosition;  // SECTIONCPOSITION=
    std::string evaluatorDate;      // SECTIONCDATE=
    std::string opinion;            // SECTIONCNOTE=, multi-line

    // Part D
    std::vector<CriterionRow> rows; // SECTIONDCRINAME<n>= and SECTIONDCRIVAL<n>=
    std::string appraisedPerson;    // SECTIONDPERSON=
    std::string periodStart;        // SECTIONDDATE1=
    std::string periodEnd;          // SECTIONDDATE2=
    int overallLevel = 0;           // SECTIONDGRADE=, no line when 0
    std::string placeD;             // SECTIONDCITY=
    std::string drawnUpDate;        // SECTIONDDATE3=

    // Part E
    std::string acknowledgedBy;    // SECTIONENAME=
    std::string acknowledgedPlace; // SECTIONECITY=

    std::string document; // GRADEVAR=, "Do" + six digits + ".rtf", or empty

    bool operator==(const Appraisal&) const = default;
};

// The field lines of the record in write order, values in stored form: texts trimmed, multi-line
// texts trimmed with line breaks as "#$", list entries (the criteria and the row names) as they
// stand, no SECTIONDGRADE= line without an overall level. The deletion line is not among them.
Fields appraisalFields(const Appraisal& appraisal);

// Puts the fields of a record read by identifier (values decoded, as RecordFiles::readById gives
// them) over a sheet that already holds its reset values: a key the record lacks leaves its field as
// it was. The criterion rows become exactly the stored ones when the record has any row name, and
// stay as they were otherwise.
void readAppraisal(const Fields& fields, Appraisal& appraisal);

} // namespace taviro
