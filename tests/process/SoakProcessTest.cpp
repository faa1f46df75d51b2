// A busy office in miniature: eight workstations on one data directory, each doing a few hundred
// operations of every kind at random (adding, correcting, deleting and moving employees, saving
// appraisals and saving them again, drawing numbers, reading the tree). Afterwards every
// acknowledged change is in the files, no identifier is used twice, every file is sound and no
// workstation got stuck.
//
// The mix is drawn from a seed: the environment variable TAVIRO_SOAK_SEED repeats a run, and
// TAVIRO_SOAK_WORKERS and TAVIRO_SOAK_OPERATIONS change its size (the build sets a smaller one for
// Windows, whose run goes through Wine).
#include "ChildProcess.h"
#include "DataCheck.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>

using namespace taviro;
using namespace taviro::test;

namespace {

const std::string kWorker = TAVIRO_STORE_WORKER;
constexpr int kUnits = 4;
constexpr int kEmployeesPerUnit = 4;
// A worker that acknowledges nothing for this long waits for something that never comes.
constexpr auto kStuckAfter = std::chrono::seconds(60);

long setting(const char* name, long fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

std::string joined(const std::vector<std::string>& items, char separator)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : std::string(1, separator)) + item;
    return text;
}

// The value of a key in a record as read by identifier; "-" when the record has no such line.
std::string valueOf(const Fields& fields, std::string_view key)
{
    for (const Field& field : fields) {
        if (field.key == key)
            return field.value;
    }
    return "-";
}

// What the files must hold once every worker is done, replayed from the acknowledgements.
struct ExpectedEmployee
{
    std::string unit;
    std::string surname;
    std::string position;
    bool deleted = false;
};

struct ExpectedAppraisal
{
    std::string employee;
    std::string value;
    bool deleted = false;
};

struct Expected
{
    std::map<std::string, ExpectedEmployee> employees;
    std::map<std::string, ExpectedAppraisal> appraisals;
    std::set<std::string> documentNumbers;
    int employeesAdded = 0;
};

// One worker's acknowledgements, in its order. Only this worker changes its own employees and
// appraisals, so each line can be checked against what its earlier lines left.
void replay(const std::string& worker, const std::vector<std::string>& acks, Expected& expected)
{
    for (const std::string& ack : acks) {
        std::istringstream in(ack);
        std::string kind, first, second, third, fourth;
        in >> kind >> first >> second >> third >> fourth;
        const std::string where = worker + ": " + ack;
        if (kind == "A") {
            EXPECT_TRUE(expected.employees.emplace(second, ExpectedEmployee{first, third, "Referent"}).second)
                << where << ": the identifier was given twice";
            ++expected.employeesAdded;
        } else if (kind == "R" || kind == "D") {
            ExpectedEmployee& employee = expected.employees[second];
            EXPECT_EQ(employee.unit, first) << where;
            if (kind == "R")
                employee.position = third;
            else
                employee.deleted = true;
        } else if (kind == "M") {
            ExpectedEmployee& employee = expected.employees[first];
            EXPECT_EQ(employee.unit, second) << where;
            employee.unit = third;
        } else if (kind == "G") {
            EXPECT_TRUE(expected.appraisals.emplace(second, ExpectedAppraisal{first, third}).second)
                << where << ": the identifier was given twice";
        } else if (kind == "S" || kind == "X") {
            ExpectedAppraisal& appraisal = expected.appraisals[second];
            EXPECT_EQ(appraisal.employee, first) << where;
            if (kind == "S")
                appraisal.value = third;
            else
                appraisal.deleted = true;
        } else if (kind == "N") {
            EXPECT_TRUE(expected.documentNumbers.insert(first).second) << where << ": the number was given twice";
        } else if (kind == "B") {
            EXPECT_EQ(third, fourth) << where << ": the tree misses an employee the workstation put there";
        } else if (kind == "V") {
            EXPECT_EQ(second, expected.appraisals[first].value) << where << ": the appraisal read back differs";
        } else {
            ADD_FAILURE() << where << ": not an acknowledgement";
        }
    }
}

struct Worker
{
    std::string name;
    std::unique_ptr<ChildProcess> process;
};

// Waits for every worker to end. A worker whose acknowledgements stop growing for kStuckAfter
// while it still runs is stuck (workstations waiting on each other, a lock never let go): it is
// named with its last acknowledgement, and every worker still running is killed.
std::vector<std::string> waitForAll(const TemporaryDataDirectory& dir, std::vector<Worker>& workers)
{
    std::vector<std::size_t> size(workers.size(), 0);
    std::vector<std::chrono::steady_clock::time_point> progress(workers.size(), std::chrono::steady_clock::now());
    std::vector<std::string> stuck;
    for (bool running = true; running && stuck.empty();) {
        running = false;
        for (std::size_t w = 0; w < workers.size(); ++w) {
            if (workers[w].process->waitFor(0))
                continue;
            running = true;
            const std::size_t now = dir.read(workers[w].name).size();
            if (now != size[w]) {
                size[w] = now;
                progress[w] = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - progress[w] > kStuckAfter) {
                const std::vector<std::string> acks = completeLines(dir.read(workers[w].name));
                stuck.push_back(workers[w].name + " after \"" + (acks.empty() ? "" : acks.back()) + "\"");
            }
        }
        sleepMs(50);
    }
    for (Worker& worker : workers)
        worker.process->kill();
    return stuck;
}

// The keys of a record in their order: every record of a kind that the program wrote has the same,
// so a line of another record mixed in, or one lost, shows.
std::vector<std::string> keysOf(const Fields& fields)
{
    std::vector<std::string> names;
    for (const Field& field : fields)
        names.push_back(field.key);
    return names;
}

// Every employee stands in exactly one unit's file, the one of its last move, whole and as last
// corrected; each unit lists exactly its live employees.
void checkEmployees(TestStore& store, const std::vector<std::string>& units, const Expected& expected)
{
    std::vector<std::string> layout;
    std::map<std::string, std::set<std::string>> liveInUnit;
    for (const auto& [id, employee] : expected.employees) {
        if (!employee.deleted)
            liveInUnit[employee.unit].insert(id);
        int copies = 0;
        for (const std::string& unit : units) {
            const Fields fields = store.records.readById(employeesFileName(unit), id);
            if (fields.empty())
                continue;
            ++copies;
            EXPECT_EQ(unit, employee.unit) << "employee " << id << " is in the wrong unit";
            EXPECT_EQ(valueOf(fields, keys::employee::kSurname), employee.surname) << "employee " << id;
            EXPECT_EQ(valueOf(fields, keys::employee::kPosition), employee.position)
                << "employee " << id << ": a correction is lost";
            EXPECT_EQ(valueOf(fields, keys::employee::kDelete), employee.deleted ? "1" : "0") << "employee " << id;
            layout = layout.empty() ? keysOf(fields) : layout;
            EXPECT_EQ(keysOf(fields), layout) << "employee " << id;
        }
        EXPECT_EQ(copies, 1) << "employee " << id;
    }
    EmployeeRegister employees(store.records);
    for (const std::string& unit : units) {
        std::set<std::string> live;
        for (const EmployeeEntry& entry : employees.liveEmployees(unit))
            EXPECT_TRUE(live.insert(entry.id).second) << "employee " << entry.id << " twice in unit " << unit;
        EXPECT_EQ(live, liveInUnit[unit]) << "unit " << unit;
    }
}

// Every saved appraisal is whole and holds its last save, the deleted ones are deleted, and each
// employee lists exactly the live ones.
void checkAppraisals(TestStore& store, const std::vector<std::string>& employees, const Expected& expected)
{
    AppraisalRegister appraisals(store.records);
    std::vector<std::string> layout;
    std::map<std::string, std::set<std::string>> liveOf;
    for (const auto& [id, appraisal] : expected.appraisals) {
        if (!appraisal.deleted)
            liveOf[appraisal.employee].insert(id);
        const Fields fields = appraisals.read(appraisal.employee, id);
        if (fields.empty()) {
            ADD_FAILURE() << "appraisal " << id << " is lost";
            continue;
        }
        EXPECT_EQ(valueOf(fields, keys::appraisal::kAppraisedPerson), appraisal.value)
            << "appraisal " << id << ": a save is lost";
        EXPECT_EQ(valueOf(fields, keys::appraisal::kDelete), appraisal.deleted ? "1" : "0") << "appraisal " << id;
        layout = layout.empty() ? keysOf(fields) : layout;
        EXPECT_EQ(keysOf(fields), layout) << "appraisal " << id;
    }
    for (const std::string& employee : employees) {
        std::set<std::string> live;
        for (const AppraisalEntry& entry : appraisals.liveAppraisals(employee))
            live.insert(entry.id);
        EXPECT_EQ(live, liveOf[employee]) << "appraisals of employee " << employee;
    }
}

} // namespace

TEST(SoakProcesses, EveryAcknowledgedChangeOfABusyOfficeIsInSoundFiles)
{
    const auto seed = static_cast<unsigned long>(setting("TAVIRO_SOAK_SEED", 20261208));
    const long workerCount = setting("TAVIRO_SOAK_WORKERS", TAVIRO_SOAK_WORKERS);
    const long operations = setting("TAVIRO_SOAK_OPERATIONS", TAVIRO_SOAK_OPERATIONS);
    SCOPED_TRACE("seed " + std::to_string(seed) + " (TAVIRO_SOAK_SEED repeats it), " + std::to_string(workerCount) +
                 " workers, " + std::to_string(operations) + " operations each");
    ASSERT_GE(workerCount, 1);

    // The office: units with employees, added as the program adds them.
    TestStore store("00000000");
    UnitRegister unitRegister(store.records);
    EmployeeRegister employeeRegister(store.records);
    std::vector<std::string> units, seeded;
    Expected expected;
    for (int u = 0; u < kUnits; ++u) {
        Unit unit;
        unit.name = "Wydział " + std::to_string(u + 1) + " Spraw Obywatelskich";
        units.push_back(unitRegister.add(unit));
        for (int e = 0; e < kEmployeesPerUnit; ++e) {
            Employee employee;
            employee.firstName = "Anna";
            employee.surname = "Nowak-Łęcka-" + std::to_string(u) + std::to_string(e);
            employee.position = "Referent";
            seeded.push_back(employeeRegister.add(units.back(), employee));
            expected.employees[seeded.back()] = {units.back(), employee.surname, employee.position};
        }
    }

    // Each worker is handed some of them: it alone moves and corrects those.
    std::vector<Worker> workers;
    for (long w = 0; w < workerCount; ++w) {
        std::vector<std::string> owned;
        for (std::size_t e = static_cast<std::size_t>(w); e < seeded.size(); e += static_cast<std::size_t>(workerCount))
            owned.push_back(expected.employees[seeded[e]].unit + ":" + seeded[e]);
        Worker worker{"ack" + std::to_string(w), nullptr};
        worker.process = std::make_unique<ChildProcess>(
            kWorker,
            std::vector<std::string>{"soak", store.dir.directory().path(), std::to_string(seed + w),
                                     std::to_string(operations), "w" + std::to_string(w), joined(units, ','),
                                     joined(seeded, ','), joined(owned, ',')},
            store.dir.file(worker.name), ChildOptions{store.dir.file("err" + std::to_string(w)), {}});
        workers.push_back(std::move(worker));
    }
    const std::vector<std::string> stuck = waitForAll(store.dir, workers);
    ASSERT_TRUE(stuck.empty()) << "stuck: " << joined(stuck, ',');

    for (long w = 0; w < workerCount; ++w) {
        const std::string name = "ack" + std::to_string(w);
        EXPECT_EQ(workers[static_cast<std::size_t>(w)].process->wait(), 0)
            << name << ": " << store.dir.read("err" + std::to_string(w));
        const std::vector<std::string> acks = completeLines(store.dir.read(name));
        EXPECT_EQ(acks.size(), static_cast<std::size_t>(operations)) << name << " did not finish";
        replay(name, acks, expected);
    }

    // Every file is sound: records whole, identifiers once, counters ahead, no employee in two
    // units, nothing left in "Temp".
    const DataCheckReport report = checkDataDirectory(store.files, 0);
    for (const DataFinding& finding : report.findings)
        ADD_FAILURE() << findingText(finding);

    checkEmployees(store, units, expected);
    checkAppraisals(store, seeded, expected);

    // No draw was lost or repeated: each counter hands out the number after the last one drawn.
    EXPECT_EQ(store.counters.next(Counter::Person),
              identifierText(static_cast<long long>(seeded.size()) + expected.employeesAdded + 1));
    EXPECT_EQ(store.counters.next(Counter::Grade),
              identifierText(static_cast<long long>(expected.appraisals.size()) + 1));
    EXPECT_EQ(store.counters.next(Counter::Document),
              identifierText(static_cast<long long>(expected.documentNumbers.size()) + 1));
    RecordProperty("Employees", static_cast<int>(expected.employees.size()));
    RecordProperty("Appraisals", static_cast<int>(expected.appraisals.size()));
}
