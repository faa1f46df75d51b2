#include "SheetFilling.h"

#include "CriterionRows.h"

#include <array>

namespace taviro {
namespace {

// An employee's values come line-break decoded, but a one-line field of the sheet holds its text
// as stored: the "#" and "$" a reader turned into CR and LF become themselves again, so that no
// line break ever reaches a one-line field.
std::string oneLine(std::string text)
{
    for (char& c : text) {
        if (c == '\r')
            c = '#';
        else if (c == '\n')
            c = '$';
    }
    return text;
}

// The date text in its written form when it is a valid date; nothing otherwise.
std::optional<std::string> validDate(std::string_view text)
{
    const std::optional<Date> date = parseDate(text);
    if (!date)
        return std::nullopt;
    return formatDate(*date);
}

void takeDate(std::string& field, std::string_view text)
{
    if (const std::optional<std::string> date = validDate(text))
        field = *date;
}

// A stored appraisal read over an empty sheet: what it holds, and nothing of a reset.
Appraisal storedAppraisal(const Fields& fields)
{
    Appraisal appraisal;
    readAppraisal(fields, appraisal);
    return appraisal;
}

OpenedSheet sheetOf(const Date& today, const std::optional<Unit>& unit, const std::optional<Employee>& employee)
{
    OpenedSheet opened{resetSheet(today), {}};
    if (unit)
        fillFromUnit(opened.sheet, *unit);
    if (employee) {
        fillFromEmployee(opened.sheet, *employee);
        opened.duties = dutiesOf(*employee);
    }
    return opened;
}

} // namespace

EvaluatorName splitEvaluatorName(std::string_view person)
{
    const std::size_t space = person.find(' ');
    if (space == std::string_view::npos)
        return {std::string(person), {}};
    return {std::string(person.substr(0, space)), std::string(person.substr(space + 1))};
}

Appraisal resetSheet(const Date& today)
{
    const std::string date = formatDate(today);
    Appraisal sheet;
    sheet.appointment = true;
    for (std::string* field :
         {&sheet.employmentDate, &sheet.positionDate, &sheet.date, &sheet.interviewDate, &sheet.notificationDate,
          &sheet.evaluatorDateB, &sheet.evaluatorDate, &sheet.periodStart, &sheet.periodEnd, &sheet.drawnUpDate})
        *field = date;
    sheet.interviewTime = formatTime({9, 0, 0});
    sheet.writtenMonth = 0;
    sheet.rows = defaultCriterionRows();
    return sheet;
}

void fillFromUnit(Appraisal& sheet, const Unit& unit)
{
    sheet.firm = unit.firm;
    sheet.cell = unit.name;
    for (std::string* place : {&sheet.city, &sheet.headCity, &sheet.placeD, &sheet.acknowledgedPlace})
        *place = unit.city;
    sheet.evaluatorFullName = unit.person;
    sheet.acknowledgedBy = unit.person;
    EvaluatorName evaluator = splitEvaluatorName(unit.person);
    sheet.evaluatorFirstName = std::move(evaluator.firstNames);
    sheet.evaluatorSurname = std::move(evaluator.surname);
    sheet.evaluatorPositionB = unit.position;
    sheet.evaluatorPosition = unit.position;
    takeDate(sheet.evaluatorDateB, unit.date);
    takeDate(sheet.evaluatorDate, unit.date);
}

void fillFromEmployee(Appraisal& sheet, const Employee& employee)
{
    sheet.firstName = oneLine(employee.firstName);
    sheet.surname = oneLine(employee.surname);
    sheet.position = oneLine(employee.position);
    sheet.appointment = employee.employ != "0";
    takeDate(sheet.employmentDate, employee.date1);
    takeDate(sheet.positionDate, employee.date2);
    sheet.appraisedPerson = sheet.firstName + " " + sheet.surname;
}

Duties dutiesOf(const Employee& employee)
{
    return {employee.duty1, employee.duty2};
}

std::string_view previousGradeText(int overallLevel)
{
    if (overallLevel == 1)
        return "Negatywna";
    if (overallLevel >= 2 && overallLevel <= kHighestLevel)
        return "Pozytywna";
    return {};
}

std::string_view previousLevelText(int overallLevel)
{
    static constexpr std::array<std::string_view, kHighestLevel + 1> kTexts = {"", "Niezadowalająca", "Zadowalająca",
                                                                               "Dobra", "Bardzo dobra"};
    if (overallLevel < 1 || overallLevel > kHighestLevel)
        return {};
    return kTexts[static_cast<std::size_t>(overallLevel)];
}

OpenedSheet newSheet(const Date& today, const std::optional<Unit>& unit, const std::optional<Employee>& employee,
                     const Fields& lastAppraisal)
{
    OpenedSheet opened = sheetOf(today, unit, employee);
    const Appraisal last = storedAppraisal(lastAppraisal);
    if (const std::string_view grade = previousGradeText(last.overallLevel); !grade.empty())
        opened.sheet.previousGrade = grade;
    if (!last.drawnUpDate.empty())
        opened.sheet.previousDate = last.drawnUpDate;
    return opened;
}

OpenedSheet newSheetFrom(const Date& today, const std::optional<Unit>& unit, const std::optional<Employee>& employee,
                         const Fields& source)
{
    OpenedSheet opened = sheetOf(today, unit, employee);
    const Appraisal from = storedAppraisal(source);
    Appraisal& sheet = opened.sheet;
    if (const std::string_view level = previousLevelText(from.overallLevel); !level.empty())
        sheet.previousGrade = level;
    if (!from.drawnUpDate.empty())
        sheet.previousDate = from.drawnUpDate;
    sheet.criteria = from.criteria;
    sheet.additionalCriterion = from.additionalCriterion;
    sheet.additionalNote = from.additionalNote;
    sheet.opinion = from.opinion;
    if (!from.rows.empty()) {
        sheet.rows.clear();
        for (const CriterionRow& row : from.rows)
            sheet.rows.push_back({row.name, 0});
    }
    return opened;
}

Appraisal viewedSheet(const Date& today, const Fields& stored)
{
    Appraisal sheet = resetSheet(today);
    readAppraisal(stored, sheet);
    return sheet;
}

OpenedSheet continuedSheet(const Date& today, const Fields& stored, const std::optional<Employee>& employee)
{
    return {viewedSheet(today, stored), employee ? dutiesOf(*employee) : Duties{}};
}

} // namespace taviro
