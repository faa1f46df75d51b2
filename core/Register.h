// The organisation register: units (Cell.dat) and the employees of each unit (Pe<unit>.dat),
// with the operations of their pages, moving an employee and the import from a text file.
// Identifiers are the six-digit texts of the records ("000012").
#pragma once

#include "Import.h"
#include "RecordFiles.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace taviro {

// Unit values are given and returned in their stored form: a unit's one-line texts are not
// line-break decoded, so a "#" in a name stays a "#".
struct Unit
{
    std::string id;
    std::string firm;     // CELLFIRM=
    std::string city;     // CELLCITY=
    std::string name;     // CELLNAME=
    std::string person;   // CELLPERSON=
    std::string position; // CELLPOSITION=
    std::string date;     // CELLDATE= as stored (dd-mm-yyyy); empty when the record has none
};

// Employee values are read line-break decoded, every one of them ("#" → CR, "$" → LF).
struct Employee
{
    std::string id;
    std::string firstName; // PERSONNAME=
    std::string surname;   // PERSONSURNAME=
    std::string position;  // PERSONPOSITION=
    std::string employ;    // PERSONEMPLOY= as stored ("1" appointment, "0" contract; others possible)
    std::string date1;     // PERSONDATE1= as stored
    std::string date2;     // PERSONDATE2= as stored
    std::string duty1;     // PERSONDUTY1= decoded: lines separated by CR LF
    std::string duty2;     // PERSONDUTY2= decoded
};

// What the unit list, the employee tree and the move dialog show, values as stored: a "#" or "$"
// in a name stays what it is.
struct UnitEntry
{
    std::string id;
    std::string name;
    bool operator==(const UnitEntry&) const = default;
};

struct AppraisalEntry
{
    std::string id;
    std::string periodEnd; // SECTIONDDATE2=, the end of the appraised period (dd-mm-yyyy)
    bool operator==(const AppraisalEntry&) const = default;
};

// What the appraisal deadlines need of an employee and of each live appraisal, values as stored.
struct EmployeeCard
{
    std::string id;
    std::string firstName;     // PERSONNAME=
    std::string surname;       // PERSONSURNAME=
    std::string position;      // PERSONPOSITION=
    std::string clericalSince; // PERSONDATE1=
    bool operator==(const EmployeeCard&) const = default;
};

struct AppraisalSummary
{
    std::string id;
    std::string drawnUp;  // SECTIONDDATE3=, the "Dnia" of part D
    int overallLevel = 0; // SECTIONDGRADE=, 0 when the sheet has none
    bool operator==(const AppraisalSummary&) const = default;
};

struct EmployeeEntry
{
    std::string id;
    std::string firstName;
    std::string surname;
    std::vector<AppraisalEntry> appraisals; // filled by EmployeeRegister::unitTree only
    bool operator==(const EmployeeEntry&) const = default;
};

class UnitRegister
{
public:
    explicit UnitRegister(RecordFiles& records) : m_records(records) {}
    // Live units in file order.
    std::vector<UnitEntry> liveUnits();
    // Any unit, deleted ones too; nothing when the identifier is not in Cell.dat.
    std::optional<Unit> read(const std::string& id);
    // Appends a new unit (values trimmed; date written as given) and returns its identifier.
    std::string add(const Unit& unit);
    // Replaces the six values and the date; adds CELLDATE= when the record lacks it.
    void correct(const Unit& unit);
    // Sets the deletion flag; the unit's employee file stays as it is.
    void remove(const std::string& id);

private:
    RecordFiles& m_records;
};

class EmployeeRegister
{
public:
    explicit EmployeeRegister(RecordFiles& records) : m_records(records) {}
    // Live employees of the unit in file order (no appraisals).
    std::vector<EmployeeEntry> liveEmployees(const std::string& unitId);
    // The same, each with the live appraisals of their file: what the navigation tree shows. The
    // employee file is read and let go before the appraisal files are opened, and no thread of the
    // fill holds two files at once (see fillAppraisals).
    std::vector<EmployeeEntry> unitTree(const std::string& unitId);
    // Called for an employee of fillAppraisals as soon as their appraisals are in, with their
    // place in the list, on whichever thread scanned them: perhaps the helper thread, and perhaps
    // at the same time as for another employee. It may take what the entry holds and must touch
    // nothing that another call touches.
    using AppraisalsIn = std::function<void(std::size_t index, EmployeeEntry& employee)>;
    // Gives each employee the live appraisals of their file. For a large unit a helper thread
    // takes files too, and what `appraisalsIn` makes of them is made there; only the calling
    // thread waits for a file another workstation holds.
    void fillAppraisals(std::vector<EmployeeEntry>& employees, const AppraisalsIn& appraisalsIn = {});
    // Live employees with what the appraisal deadlines need.
    std::vector<EmployeeCard> liveCards(const std::string& unitId);
    std::optional<Employee> read(const std::string& unitId, const std::string& id);
    // Values trimmed, duties trimmed and stored with "#"/"$" line breaks.
    std::string add(const std::string& unitId, const Employee& employee);
    // Replaces the values of the keys the record has; keys it lacks are not added.
    void correct(const std::string& unitId, const Employee& employee);
    void remove(const std::string& unitId, const std::string& id);

private:
    RecordFiles& m_records;
};

// The appraisals of one employee (Gr<employee>.dat). Field values are given and returned as the
// key/value pairs of the record, values decoded on reading; the sheet editor decides them.
class AppraisalRegister
{
public:
    explicit AppraisalRegister(RecordFiles& records) : m_records(records) {}
    std::vector<AppraisalEntry> liveAppraisals(const std::string& employeeId);
    // The live appraisals with their "Dnia" and overall level. buffer: kept by the caller for the
    // files it reads one after another, so that the memory is not made anew for each.
    std::vector<AppraisalSummary> liveSummaries(const std::string& employeeId, std::string& buffer);
    // The record's fields from "ID=" on, deleted records too; empty when it is not there.
    Fields read(const std::string& employeeId, const std::string& id);
    // Appends a record of the fields (stored form) and returns its new identifier.
    std::string add(const std::string& employeeId, const Fields& fields);
    // Replaces the record's body in place; false when it is not in the file.
    bool replace(const std::string& employeeId, const std::string& id, const Fields& fields);
    // The same, but only while the record is still as it was read (readAtOpen, from read()): a
    // record another workstation changed, deleted or took away since is left as it is.
    enum class Replacement
    {
        Replaced,
        ChangedMeanwhile,
    };
    Replacement replaceIfUnchanged(const std::string& employeeId, const std::string& id, const Fields& readAtOpen,
                                   const Fields& fields);
    void remove(const std::string& employeeId, const std::string& id);

private:
    RecordFiles& m_records;
};

// Values written by both registers are trimmed, and a line break inside any of them is stored
// as "#"/"$" (see encodeMultiLine), so that no value can ever break a record's line structure.

// Moves an employee's record, unchanged and with its identifier, from one unit's file to
// another's. Both files are locked in a fixed order, so two workstations moving in opposite
// directions never wait on each other forever; the record is appended to the target before it
// leaves the source, so a crash at any moment leaves it in at least one of the two files.
// Returns false, writing nothing, when the employee is not in the source file or both units are
// the same. A record that an interrupted move left in both files is, on the next move, only taken
// out of the source: an identical copy already in the target is not appended a second time.
bool moveEmployee(RecordFiles& records, const std::string& sourceUnitId, const std::string& targetUnitId,
                  const std::string& employeeId);

// The import of units and employees from a text file: see Import.h.

} // namespace taviro
