// Units (Cell.dat), the employees of each unit (Pe<unit>.dat) and the appraisals of each employee
// (Gr<employee>.dat): the operations behind their pages and the navigation panel.
#include "Register.h"

#include "AppraisalScan.h"
#include "RecordKeys.h"
#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace taviro {
namespace {

using detail::textOf;

// Which member of a record's structure a key fills, in the order the record writes them.
template <typename Record> using KeyMap = std::pair<std::string_view, std::string Record::*>;

constexpr std::array<KeyMap<Unit>, 6> kUnitKeys = {{
    {keys::unit::kFirm, &Unit::firm},
    {keys::unit::kCity, &Unit::city},
    {keys::unit::kName, &Unit::name},
    {keys::unit::kPerson, &Unit::person},
    {keys::unit::kPosition, &Unit::position},
    {keys::unit::kDate, &Unit::date},
}};

constexpr std::array<KeyMap<Employee>, 8> kEmployeeKeys = {{
    {keys::employee::kName, &Employee::firstName},
    {keys::employee::kSurname, &Employee::surname},
    {keys::employee::kPosition, &Employee::position},
    {keys::employee::kEmploy, &Employee::employ},
    {keys::employee::kDate1, &Employee::date1},
    {keys::employee::kDate2, &Employee::date2},
    {keys::employee::kDuty1, &Employee::duty1},
    {keys::employee::kDuty2, &Employee::duty2},
}};

// Every value goes into its line trimmed, a line break inside it in "#"/"$" form, so that no value
// can break a record's line structure. For text without line breaks this is the trimmed text.
template <typename Record, std::size_t N>
Fields fieldsOf(const Record& record, const std::array<KeyMap<Record>, N>& keyMap)
{
    Fields fields;
    for (const auto& [key, member] : keyMap)
        fields.push_back({std::string(key), encodeMultiLine(record.*member)});
    return fields;
}

// Fills the members of a record from its read fields; translate turns each value into the form the
// structure keeps.
template <typename Record, std::size_t N, typename Translate>
Record recordOf(const Fields& fields, const std::array<KeyMap<Record>, N>& keyMap, Translate translate)
{
    Record record;
    for (const Field& field : fields) {
        if (field.key == keys::kId) {
            record.id = field.value;
            continue;
        }
        for (const auto& [key, member] : keyMap) {
            if (field.key == key) {
                record.*member = translate(field.value);
                break;
            }
        }
    }
    return record;
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

std::string keptAsRead(std::string_view decoded)
{
    return std::string(decoded);
}

} // namespace

// ---- Units ----

std::vector<UnitEntry> UnitRegister::liveUnits()
{
    std::vector<UnitEntry> units;
    const std::optional<std::string> content = m_records.files().readIfExists(unitsFileName());
    if (!content)
        return units;
    constexpr std::string_view wanted[] = {keys::unit::kName};
    scanLiveRecords(*content, keys::unit::kDelete, wanted,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        units.push_back({textOf(id), textOf(values[0])});
                        return false;
                    });
    return units;
}

std::optional<Unit> UnitRegister::read(const std::string& id)
{
    const Fields fields = m_records.readById(unitsFileName(), id);
    if (fields.empty())
        return std::nullopt;
    return recordOf(fields, kUnitKeys, storedForm);
}

std::string UnitRegister::add(const Unit& unit)
{
    return m_records.add(unitsFileName(), RecordKind::Unit, fieldsOf(unit, kUnitKeys));
}

void UnitRegister::correct(const Unit& unit)
{
    // Records made by the import have no date line; the first correction gives them one.
    m_records.rewrite(unitsFileName(), unit.id,
                      replaceValues(fieldsOf(unit, kUnitKeys), {std::string(keys::unit::kDate)}));
}

void UnitRegister::remove(const std::string& id)
{
    m_records.rewrite(unitsFileName(), id, softDelete(RecordKind::Unit));
}

// ---- Employees ----

std::vector<EmployeeEntry> EmployeeRegister::liveEmployees(const std::string& unitId)
{
    std::vector<EmployeeEntry> employees;
    const std::optional<std::string> content = m_records.files().readIfExists(employeesFileName(unitId));
    if (!content)
        return employees;
    constexpr std::string_view wanted[] = {keys::employee::kName, keys::employee::kSurname};
    scanLiveRecords(*content, keys::employee::kDelete, wanted,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        employees.push_back({textOf(id), textOf(values[0]), textOf(values[1]), {}});
                        return false;
                    });
    return employees;
}

std::vector<EmployeeEntry> EmployeeRegister::unitTree(const std::string& unitId)
{
    std::vector<EmployeeEntry> employees = liveEmployees(unitId);
    fillAppraisals(employees);
    return employees;
}

void EmployeeRegister::fillAppraisals(std::vector<EmployeeEntry>& employees, const AppraisalsIn& appraisalsIn)
{
    if (employees.empty())
        return;
    detail::AppraisalScan(m_records.files(), employees, appraisalsIn).run();
}

std::vector<EmployeeCard> EmployeeRegister::liveCards(const std::string& unitId)
{
    std::vector<EmployeeCard> cards;
    const std::optional<std::string> content = m_records.files().readIfExists(employeesFileName(unitId));
    if (!content)
        return cards;
    using namespace keys::employee;
    constexpr std::string_view wanted[] = {kName, kSurname, kPosition, kDate1};
    scanLiveRecords(*content, kDelete, wanted, [&](std::string_view id, std::span<const std::string_view> values) {
        cards.push_back({textOf(id), textOf(values[0]), textOf(values[1]), textOf(values[2]), textOf(values[3])});
        return false;
    });
    return cards;
}

std::optional<Employee> EmployeeRegister::read(const std::string& unitId, const std::string& id)
{
    const Fields fields = m_records.readById(employeesFileName(unitId), id);
    if (fields.empty())
        return std::nullopt;
    return recordOf(fields, kEmployeeKeys, keptAsRead);
}

std::string EmployeeRegister::add(const std::string& unitId, const Employee& employee)
{
    return m_records.add(employeesFileName(unitId), RecordKind::Employee, fieldsOf(employee, kEmployeeKeys));
}

void EmployeeRegister::correct(const std::string& unitId, const Employee& employee)
{
    m_records.rewrite(employeesFileName(unitId), employee.id, replaceValues(fieldsOf(employee, kEmployeeKeys)));
}

void EmployeeRegister::remove(const std::string& unitId, const std::string& id)
{
    m_records.rewrite(employeesFileName(unitId), id, softDelete(RecordKind::Employee));
}

// ---- Appraisals ----

std::vector<AppraisalEntry> AppraisalRegister::liveAppraisals(const std::string& employeeId)
{
    std::vector<AppraisalEntry> appraisals;
    const std::optional<std::string> content = m_records.files().readIfExists(appraisalsFileName(employeeId));
    if (!content)
        return appraisals;
    constexpr std::string_view wanted[] = {keys::appraisal::kPeriodEnd};
    scanLiveRecords(*content, keys::appraisal::kDelete, wanted,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        appraisals.push_back({textOf(id), textOf(values[0])});
                        return false;
                    });
    return appraisals;
}

std::vector<AppraisalSummary> AppraisalRegister::liveSummaries(const std::string& employeeId, std::string& buffer)
{
    std::vector<AppraisalSummary> appraisals;
    const std::optional<std::string_view> content =
        m_records.files().readIfExists(appraisalsFileName(employeeId), buffer);
    if (!content)
        return appraisals;
    constexpr std::string_view wanted[] = {keys::appraisal::kGradeDrawnUp, keys::appraisal::kGrade};
    scanLiveRecords(*content, keys::appraisal::kDelete, wanted,
                    [&](std::string_view id, std::span<const std::string_view> values) {
                        const auto level = parseInteger(trimmedView(values[1]));
                        appraisals.push_back({textOf(id), textOf(values[0]), level ? static_cast<int>(*level) : 0});
                        return false;
                    });
    return appraisals;
}

Fields AppraisalRegister::read(const std::string& employeeId, const std::string& id)
{
    return m_records.readById(appraisalsFileName(employeeId), id);
}

std::string AppraisalRegister::add(const std::string& employeeId, const Fields& fields)
{
    return m_records.add(appraisalsFileName(employeeId), RecordKind::Appraisal, fields);
}

bool AppraisalRegister::replace(const std::string& employeeId, const std::string& id, const Fields& fields)
{
    return m_records.rewrite(appraisalsFileName(employeeId), id, replaceBody(RecordKind::Appraisal, fields));
}

AppraisalRegister::Replacement AppraisalRegister::replaceIfUnchanged(const std::string& employeeId,
                                                                     const std::string& id, const Fields& readAtOpen,
                                                                     const Fields& fields)
{
    // The record's lines now, decoded as read() decodes them, against what was read at opening.
    const auto unchanged = [&](const std::vector<std::string>& recordLines) {
        if (recordLines.size() != readAtOpen.size())
            return false;
        for (std::size_t i = 0; i < recordLines.size(); ++i) {
            const auto [key, value] = splitLine(recordLines[i]);
            if (key != readAtOpen[i].key || decodeMultiLine(value) != readAtOpen[i].value)
                return false;
        }
        return true;
    };
    const auto outcome =
        m_records.rewriteIf(appraisalsFileName(employeeId), id, unchanged, replaceBody(RecordKind::Appraisal, fields));
    return outcome == RecordFiles::Rewrite::Rewritten ? Replacement::Replaced : Replacement::ChangedMeanwhile;
}

void AppraisalRegister::remove(const std::string& employeeId, const std::string& id)
{
    m_records.rewrite(appraisalsFileName(employeeId), id, softDelete(RecordKind::Appraisal));
}

} // namespace taviro
