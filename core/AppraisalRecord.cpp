#include "AppraisalRecord.h"

#include "RecordKeys.h"
#include "TextCodec.h"

#include <array>
#include <optional>
#include <span>
#include <utility>

namespace taviro {
namespace {

using namespace keys::appraisal;

enum class Form
{
    Line,      // one-line text: trimmed on writing, kept as stored on reading
    MultiLine, // trimmed, line breaks as "#$"
    Date,      // a date or time text, stored as given
};

struct TextField
{
    std::string_view key;
    std::string Appraisal::*member;
    Form form;
};

// The text fields of the record, each in its place among the other lines (see appraisalFields).
constexpr std::array<TextField, 5> kPartAHead = {{
    {kFirm, &Appraisal::firm, Form::Line},
    {kName, &Appraisal::firstName, Form::Line},
    {kSurname, &Appraisal::surname, Form::Line},
    {kCell, &Appraisal::cell, Form::Line},
    {kPosition, &Appraisal::position, Form::Line},
}};
constexpr std::array<TextField, 9> kPartATail = {{
    {kDate1, &Appraisal::employmentDate, Form::Date},
    {kDate2, &Appraisal::positionDate, Form::Date},
    {kOldGrade, &Appraisal::previousGrade, Form::Line},
    {kOldDate, &Appraisal::previousDate, Form::Line},
    {kCity, &Appraisal::city, Form::Line},
    {kDate, &Appraisal::date, Form::Date},
    {kInfoDate, &Appraisal::interviewDate, Form::Date},
    {kInfoTime, &Appraisal::interviewTime, Form::Date},
    {kInfoDate2, &Appraisal::notificationDate, Form::Date},
}};
constexpr std::array<TextField, 2> kPartBAdditional = {{
    {kCriterionName, &Appraisal::additionalCriterion, Form::Line},
    {kCriterionNote, &Appraisal::additionalNote, Form::MultiLine},
}};
constexpr std::array<TextField, 7> kPartBTail = {{
    {kGradeYear, &Appraisal::writtenYear, Form::Line},
    {kGradeName, &Appraisal::evaluatorFullName, Form::Line},
    {kGradePosition, &Appraisal::evaluatorPositionB, Form::Line},
    {kGradeDate, &Appraisal::evaluatorDateB, Form::Date},
    {kBossNote, &Appraisal::headNote, Form::MultiLine},
    {kBossName, &Appraisal::headName, Form::Line},
    {kBossCity, &Appraisal::headCity, Form::Line},
}};
constexpr std::array<TextField, 5> kPartC = {{
    {kEvaluatorName, &Appraisal::evaluatorFirstName, Form::Line},
    {kEvaluatorSurname, &Appraisal::evaluatorSurname, Form::Line},
    {kEvaluatorPosition, &Appraisal::evaluatorPosition, Form::Line},
    {kEvaluatorDate, &Appraisal::evaluatorDate, Form::Date},
    {kOpinion, &Appraisal::opinion, Form::MultiLine},
}};
constexpr std::array<TextField, 3> kPartDHead = {{
    {kAppraisedPerson, &Appraisal::appraisedPerson, Form::Line},
    {kPeriodStart, &Appraisal::periodStart, Form::Date},
    {kPeriodEnd, &Appraisal::periodEnd, Form::Date},
}};
constexpr std::array<TextField, 4> kPartDTailAndE = {{
    {kGradeCity, &Appraisal::placeD, Form::Line},
    {kGradeDrawnUp, &Appraisal::drawnUpDate, Form::Date},
    {kAcknowledgedName, &Appraisal::acknowledgedBy, Form::Line},
    {kAcknowledgedCity, &Appraisal::acknowledgedPlace, Form::Line},
}};

// Every text field, for the reading.
constexpr std::array<std::span<const TextField>, 7> kTextGroups = {kPartAHead, kPartATail, kPartBAdditional, kPartBTail,
                                                                   kPartC,     kPartDHead, kPartDTailAndE};

// A one-line value or list entry as its line holds it: no stored line holds a CR or LF, so the line
// breaks a reader made of "#" and "$" turn back into them, and a line break that reached a one-line
// value some other way is written as "#"/"$" instead of breaking the record's lines.
std::string storedForm(std::string value)
{
    for (char& c : value) {
        if (c == '\r')
            c = '#';
        else if (c == '\n')
            c = '$';
    }
    return value;
}

template <std::size_t N> void append(Fields& fields, const Appraisal& appraisal, const std::array<TextField, N>& group)
{
    for (const TextField& field : group) {
        const std::string& value = appraisal.*field.member;
        fields.push_back({std::string(field.key),
                          field.form == Form::MultiLine ? encodeMultiLine(value) : storedForm(trimmed(value))});
    }
}

// The number n of a key "<prefix><n>=", nothing for any other key.
std::optional<int> numberedKey(std::string_view key, std::string_view prefix)
{
    if (key.size() < prefix.size() + 2 || key.substr(0, prefix.size()) != prefix || key.back() != '=')
        return std::nullopt;
    const std::string_view digits = key.substr(prefix.size(), key.size() - prefix.size() - 1);
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const auto number = parseInteger(digits);
    if (!number || *number < 1 || *number > 99)
        return std::nullopt;
    return static_cast<int>(*number);
}

int levelOf(std::string_view value)
{
    const auto level = parseInteger(trimmed(value));
    return level && *level >= 0 && *level <= kHighestLevel ? static_cast<int>(*level) : 0;
}

bool readTextField(const Field& field, Appraisal& appraisal)
{
    for (const std::span<const TextField> group : kTextGroups) {
        for (const TextField& text : group) {
            if (field.key != text.key)
                continue;
            appraisal.*text.member = text.form == Form::MultiLine ? field.value : storedForm(field.value);
            return true;
        }
    }
    return false;
}

void readRow(const Field& field, Appraisal& appraisal)
{
    if (const auto n = numberedKey(field.key, "SECTIONDCRINAME")) {
        // The grid is set to n rows; row n gets the name and no level.
        appraisal.rows.resize(static_cast<std::size_t>(*n));
        appraisal.rows.back() = {storedForm(field.value), 0};
    } else if (const auto n = numberedKey(field.key, "SECTIONDCRIVAL")) {
        if (static_cast<std::size_t>(*n) <= appraisal.rows.size())
            appraisal.rows[static_cast<std::size_t>(*n) - 1].level = levelOf(field.value);
    } else if (numberedKey(field.key, "SECTIONBCRITERION") && !field.value.empty()) {
        appraisal.criteria.push_back(storedForm(field.value));
    }
}

} // namespace

Fields appraisalFields(const Appraisal& appraisal)
{
    Fields fields;
    append(fields, appraisal, kPartAHead);
    fields.push_back({std::string(kEmploy), appraisal.appointment ? "1" : "0"});
    append(fields, appraisal, kPartATail);
    for (int n = 1; n <= kCriterionSlots; ++n) {
        const auto index = static_cast<std::size_t>(n - 1);
        fields.push_back(
            {criterion(n), index < appraisal.criteria.size() ? storedForm(appraisal.criteria[index]) : std::string()});
    }
    append(fields, appraisal, kPartBAdditional);
    fields.push_back({std::string(kGradeMonth), std::to_string(appraisal.writtenMonth)});
    append(fields, appraisal, kPartBTail);
    append(fields, appraisal, kPartC);
    for (std::size_t i = 0; i < appraisal.rows.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        fields.push_back({criterionRowName(n), storedForm(appraisal.rows[i].name)});
        fields.push_back({criterionRowLevel(n), std::to_string(appraisal.rows[i].level)});
    }
    append(fields, appraisal, kPartDHead);
    if (appraisal.overallLevel >= 1 && appraisal.overallLevel <= kHighestLevel)
        fields.push_back({std::string(kGrade), std::to_string(appraisal.overallLevel)});
    append(fields, appraisal, kPartDTailAndE);
    fields.push_back({std::string(kDocument), trimmed(appraisal.document)});
    return fields;
}

void readAppraisal(const Fields& fields, Appraisal& appraisal)
{
    bool rowsRead = false;
    for (const Field& field : fields) {
        if (field.key == keys::kId) {
            appraisal.id = field.value;
        } else if (field.key == kEmploy) {
            appraisal.appointment = field.value != "0";
        } else if (field.key == kGradeMonth) {
            const auto month = parseInteger(trimmed(field.value));
            if (month && *month >= 0 && *month <= 11)
                appraisal.writtenMonth = static_cast<int>(*month);
        } else if (field.key == kGrade) {
            appraisal.overallLevel = levelOf(field.value);
        } else if (field.key == kDocument) {
            appraisal.document = storedForm(field.value);
        } else if (!readTextField(field, appraisal)) {
            if (!rowsRead && numberedKey(field.key, "SECTIONDCRINAME")) {
                // The stored rows replace the ones the sheet was reset to.
                appraisal.rows.clear();
                rowsRead = true;
            }
            readRow(field, appraisal);
        }
    }
}

} // namespace taviro
