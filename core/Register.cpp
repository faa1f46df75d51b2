// Units (Cell.dat) and the employees of each unit (Pe<unit>.dat): the operations behind their pages.
#include "Register.h"

#include "TextCodec.h"

namespace taviro {
namespace {

constexpr std::string_view kFirm = "CELLFIRM=";
constexpr std::string_view kCity = "CELLCITY=";
constexpr std::string_view kUnitName = "CELLNAME=";
constexpr std::string_view kAppraiser = "CELLPERSON=";
constexpr std::string_view kAppraiserPosition = "CELLPOSITION=";
constexpr std::string_view kUnitDate = "CELLDATE=";

constexpr std::string_view kFirstName = "PERSONNAME=";
constexpr std::string_view kSurname = "PERSONSURNAME=";
constexpr std::string_view kPosition = "PERSONPOSITION=";
constexpr std::string_view kEmploy = "PERSONEMPLOY=";
constexpr std::string_view kDate1 = "PERSONDATE1=";
constexpr std::string_view kDate2 = "PERSONDATE2=";
constexpr std::string_view kDuty1 = "PERSONDUTY1=";
constexpr std::string_view kDuty2 = "PERSONDUTY2=";

// A value as it goes into its line: trimmed, and a line break inside it in "#"/"$" form. For text
// without line breaks this is just the trimmed text.
std::string lineValue(std::string_view text)
{
    return encodeMultiLine(text);
}

// readById hands back decoded values; a unit's values are given out in their stored form. No
// stored line holds a CR or LF, so turning them back into "#" and "$" restores it exactly.
std::string storedForm(std::string_view decoded)
{
    std::string stored(decoded);
    for (char& c : stored) {
        if (c == '\r')
            c = '#';
        else if (c == '\n')
            c = '$';
    }
    return stored;
}

Fields unitFields(const Unit& unit)
{
    return {{std::string(kFirm), lineValue(unit.firm)},
            {std::string(kCity), lineValue(unit.city)},
            {std::string(kUnitName), lineValue(unit.name)},
            {std::string(kAppraiser), lineValue(unit.person)},
            {std::string(kAppraiserPosition), lineValue(unit.position)},
            {std::string(kUnitDate), lineValue(unit.date)}};
}

Fields employeeFields(const Employee& employee)
{
    return {{std::string(kFirstName), lineValue(employee.firstName)},
            {std::string(kSurname), lineValue(employee.surname)},
            {std::string(kPosition), lineValue(employee.position)},
            {std::string(kEmploy), lineValue(employee.employ)},
            {std::string(kDate1), lineValue(employee.date1)},
            {std::string(kDate2), lineValue(employee.date2)},
            {std::string(kDuty1), encodeMultiLine(employee.duty1)},
            {std::string(kDuty2), encodeMultiLine(employee.duty2)}};
}

} // namespace

// ---- Units ----

std::vector<LiveRecord> UnitRegister::liveUnits()
{
    auto units = m_records.enumerateLive(unitsFileName(), RecordKind::Unit, {std::string(kUnitName)});
    for (LiveRecord& unit : units)
        unit.values[0] = storedForm(unit.values[0]);
    return units;
}

std::optional<Unit> UnitRegister::read(const std::string& id)
{
    const Fields fields = m_records.readById(unitsFileName(), id);
    if (fields.empty())
        return std::nullopt;
    Unit unit;
    for (const Field& field : fields) {
        const std::string value = storedForm(field.value);
        if (field.key == "ID=")
            unit.id = value;
        else if (field.key == kFirm)
            unit.firm = value;
        else if (field.key == kCity)
            unit.city = value;
        else if (field.key == kUnitName)
            unit.name = value;
        else if (field.key == kAppraiser)
            unit.person = value;
        else if (field.key == kAppraiserPosition)
            unit.position = value;
        else if (field.key == kUnitDate)
            unit.date = value;
    }
    return unit;
}

std::string UnitRegister::add(const Unit& unit)
{
    return m_records.add(unitsFileName(), RecordKind::Unit, unitFields(unit));
}

void UnitRegister::correct(const Unit& unit)
{
    // Records made by the import have no date line; the first correction gives them one.
    m_records.rewrite(unitsFileName(), unit.id, replaceValues(unitFields(unit), {std::string(kUnitDate)}));
}

void UnitRegister::remove(const std::string& id)
{
    m_records.rewrite(unitsFileName(), id, softDelete(RecordKind::Unit));
}

// ---- Employees ----

std::vector<LiveRecord> EmployeeRegister::liveEmployees(const std::string& unitId)
{
    return m_records.enumerateLive(employeesFileName(unitId), RecordKind::Employee,
                                   {std::string(kFirstName), std::string(kSurname)});
}

std::optional<Employee> EmployeeRegister::read(const std::string& unitId, const std::string& id)
{
    const Fields fields = m_records.readById(employeesFileName(unitId), id);
    if (fields.empty())
        return std::nullopt;
    Employee employee;
    for (const Field& field : fields) {
        if (field.key == "ID=")
            employee.id = field.value;
        else if (field.key == kFirstName)
            employee.firstName = field.value;
        else if (field.key == kSurname)
            employee.surname = field.value;
        else if (field.key == kPosition)
            employee.position = field.value;
        else if (field.key == kEmploy)
            employee.employ = field.value;
        else if (field.key == kDate1)
            employee.date1 = field.value;
        else if (field.key == kDate2)
            employee.date2 = field.value;
        else if (field.key == kDuty1)
            employee.duty1 = field.value;
        else if (field.key == kDuty2)
            employee.duty2 = field.value;
    }
    return employee;
}

std::string EmployeeRegister::add(const std::string& unitId, const Employee& employee)
{
    return m_records.add(employeesFileName(unitId), RecordKind::Employee, employeeFields(employee));
}

void EmployeeRegister::correct(const std::string& unitId, const Employee& employee)
{
    m_records.rewrite(employeesFileName(unitId), employee.id, replaceValues(employeeFields(employee)));
}

void EmployeeRegister::remove(const std::string& unitId, const std::string& id)
{
    m_records.rewrite(employeesFileName(unitId), id, softDelete(RecordKind::Employee));
}

} // namespace taviro
