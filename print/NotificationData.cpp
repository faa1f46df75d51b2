#include "NotificationData.h"

#include "RecordKeys.h"
#include "Register.h"

namespace taviro::print {
namespace {

void add(LoadedLines& lines, std::string_view key, const std::string& value)
{
    lines.push_back(std::string(key) + value);
}

void addUnit(LoadedLines& lines, const Unit& unit)
{
    namespace key = keys::unit;
    add(lines, keys::kId, unit.id);
    add(lines, key::kFirm, unit.firm);
    add(lines, key::kCity, unit.city);
    add(lines, key::kName, unit.name);
    add(lines, key::kPerson, unit.person);
    add(lines, key::kPosition, unit.position);
    add(lines, key::kDate, unit.date);
}

void addEmployee(LoadedLines& lines, const Employee& employee)
{
    namespace key = keys::employee;
    add(lines, keys::kId, employee.id);
    add(lines, key::kName, employee.firstName);
    add(lines, key::kSurname, employee.surname);
    add(lines, key::kPosition, employee.position);
    add(lines, key::kEmploy, employee.employ);
    add(lines, key::kDate1, employee.date1);
    add(lines, key::kDate2, employee.date2);
    add(lines, key::kDuty1, employee.duty1);
    add(lines, key::kDuty2, employee.duty2);
}

} // namespace

LoadedLines notificationData(const std::optional<Unit>& unit, const std::optional<Employee>& employee,
                             const InterviewDates& dates)
{
    LoadedLines lines;
    if (unit)
        addUnit(lines, *unit);
    if (employee)
        addEmployee(lines, *employee);
    add(lines, keys::appraisal::kInfoDate, dates.interviewDate);
    add(lines, keys::appraisal::kInfoTime, dates.interviewTime);
    add(lines, keys::appraisal::kInfoDate2, dates.notificationDate);
    return lines;
}

} // namespace taviro::print
