// Imports on several workstations at once, played by real processes: however they overlap, and
// even with the lock files removed under them, the register comes out as one import after the
// other makes it; and a huge file takes no memory to match its size.
#include "ChildProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <set>
#include <sstream>

using namespace taviro;
using namespace taviro::test;

namespace {

const std::string kWorker = TAVIRO_STORE_WORKER;

// Employee n of a pool: in one of 20 units, with a surname of their own.
std::string importLine(int n)
{
    return utf8ToCp1250("Urząd Gminy\tŁęczyca\tWydział " + std::to_string(n % 20) +
                        "\tJan Nowak\tKierownik\tŁucja\tWójcik-" + std::to_string(n) +
                        "\tReferent\t1\t01-02-2010\t15-06-2018") +
           "\r\n";
}

std::string importLines(int first, int count)
{
    std::string text;
    for (int n = first; n < first + count; ++n)
        text += importLine(n);
    return text;
}

// The live units by name and the live employees by unit and name, each as often as it is there.
struct Census
{
    std::multiset<std::string> units;
    std::multiset<std::string> employees;
    bool operator==(const Census&) const = default;
    friend void PrintTo(const Census& census, std::ostream* out)
    {
        *out << census.units.size() << " units, " << census.employees.size() << " employees";
    }
};

Census census(const TemporaryDataDirectory& dir)
{
    CountingNotifier notifier;
    SharedFileAccess files(dir.directory(), notifier);
    Counters counters(files);
    RecordFiles records(files, counters, "00000000");
    EmployeeRegister employees(records);
    Census found;
    for (const UnitEntry& unit : UnitRegister(records).liveUnits()) {
        found.units.insert(unit.name);
        for (const EmployeeEntry& employee : employees.liveEmployees(unit.id))
            found.employees.insert(unit.name + " / " + employee.firstName + " " + employee.surname);
    }
    return found;
}

// Each file imported after the other by one workstation.
Census importedOneAfterTheOther(const std::vector<std::string>& files)
{
    TestStore store;
    for (const std::string& file : files)
        importRegister(store.records, file);
    return census(store.dir);
}

struct Added
{
    int units = 0;
    int employees = 0;
};

// Runs one worker importing each of the files (given by index, all at once) and adds up what
// they say they added.
Added importAtOnce(const TemporaryDataDirectory& dir, const std::vector<std::string>& filePerWorker)
{
    std::vector<std::unique_ptr<ChildProcess>> workers;
    for (std::size_t w = 0; w < filePerWorker.size(); ++w) {
        workers.push_back(std::make_unique<ChildProcess>(
            kWorker, std::vector<std::string>{"import", dir.directory().path(), filePerWorker[w]},
            dir.file("ack" + std::to_string(w))));
    }
    Added added;
    for (std::size_t w = 0; w < workers.size(); ++w) {
        EXPECT_EQ(workers[w]->wait(), 0) << "worker " << w;
        for (const std::string& line : completeLines(dir.read("ack" + std::to_string(w)))) {
            std::istringstream in(line);
            std::string kind;
            int taken = 0, units = 0, employees = 0;
            in >> kind >> taken >> units >> employees;
            added.units += units;
            added.employees += employees;
        }
    }
    return added;
}

} // namespace

TEST(ImportProcesses, EightImportsOfOneFileAtOnceAddItOnce)
{
    TemporaryDataDirectory inputs;
    inputs.write("Pracownicy.txt", importLines(0, 200));
    const std::string file = inputs.file("Pracownicy.txt");
    TemporaryDataDirectory dir;
    const Added added = importAtOnce(dir, std::vector<std::string>(8, file));

    const Census expected = importedOneAfterTheOther({file});
    ASSERT_EQ(expected.units.size(), 20u);
    ASSERT_EQ(expected.employees.size(), 200u);
    EXPECT_EQ(census(dir), expected);
    EXPECT_EQ(added.units, 20) << "each unit added by one of the eight";
    EXPECT_EQ(added.employees, 200);
}

TEST(ImportProcesses, OverlappingFilesImportedAtOnceGiveWhatOneAfterTheOtherGives)
{
    TemporaryDataDirectory inputs;
    std::vector<std::string> files;
    for (int k = 0; k < 4; ++k) {
        // Each file leaves out every fourth employee of the pool, another one each: any two files
        // share half of the pool, in the same order.
        std::string lines;
        for (int n = 0; n < 250; ++n)
            lines += n % 4 == k ? std::string() : importLine(n);
        const std::string name = "Lista" + std::to_string(k) + ".txt";
        inputs.write(name, lines);
        files.push_back(inputs.file(name));
    }
    TemporaryDataDirectory dir;
    const Added added = importAtOnce(dir, files);

    const Census expected = importedOneAfterTheOther(files);
    ASSERT_EQ(expected.employees.size(), 250u);
    EXPECT_EQ(census(dir), expected);
    EXPECT_EQ(added.units, 20);
    EXPECT_EQ(added.employees, 250);
}

// What made 7 of 1501 acknowledged units disappear once: somebody clears Locks/ again and again
// while two workstations import overlapping files and two others correct units of the same
// Cell.dat. The register comes out as one import after the other makes it, and every correction
// is there.
TEST(ImportProcesses, LockFilesRemovedWhileImportsAndUnitRewritesRunLoseNothing)
{
    TemporaryDataDirectory inputs;
    std::vector<std::string> files;
    for (int k = 0; k < 2; ++k) {
        const std::string name = "Lista" + std::to_string(k) + ".txt";
        inputs.write(name, importLines(k * 60, 180)); // the pool's employees 0–179 and 60–239
        files.push_back(inputs.file(name));
    }
    TemporaryDataDirectory dir;
    // Two units another workstation keeps correcting: each correction adds 1 to VALUE=.
    dir.write("Cell.dat", storedText({"{", "ID=900001", "CELLNAME=Kadry", "VALUE=0", "CELLDELETE=0", "}", "", "{",
                                      "ID=900002", "CELLNAME=Płace", "VALUE=0", "CELLDELETE=0", "}", ""}));
    std::vector<std::unique_ptr<ChildProcess>> workers;
    for (std::size_t w = 0; w < files.size(); ++w) {
        workers.push_back(std::make_unique<ChildProcess>(
            kWorker, std::vector<std::string>{"import", dir.directory().path(), files[w]},
            dir.file("ack-i" + std::to_string(w))));
    }
    for (const std::string id : {"900001", "900002"}) {
        workers.push_back(std::make_unique<ChildProcess>(
            kWorker, std::vector<std::string>{"increment", dir.directory().path(), "Cell.dat", id, "100"},
            dir.file("ack-c" + id)));
    }
    FolderClearer clearer(dir.file("Locks"));
    for (auto& worker : workers)
        EXPECT_EQ(worker->wait(), 0);
    const int removed = clearer.stop();
    EXPECT_GT(removed, 0) << "the lock files were really removed meanwhile";

    Census expected = importedOneAfterTheOther(files);
    ASSERT_EQ(expected.units.size(), 20u);
    ASSERT_EQ(expected.employees.size(), 240u);
    expected.units.insert({"Kadry", "Płace"});
    EXPECT_EQ(census(dir), expected);
    CountingNotifier notifier;
    SharedFileAccess reader(dir.directory(), notifier);
    Counters counters(reader);
    RecordFiles records(reader, counters, "00000000");
    for (const std::string id : {"900001", "900002"}) {
        std::string value;
        for (const Field& field : records.readById("Cell.dat", id)) {
            if (field.key == "VALUE=")
                value = field.value;
        }
        EXPECT_EQ(value, "100") << "unit " << id << " lost a correction";
        EXPECT_EQ(completeLines(dir.read("ack-c" + id)).size(), 100u);
    }
}

TEST(ImportProcesses, AHugeFileOfEmptyLinesTakesNoMemoryToMatchItsSize)
{
    TemporaryDataDirectory inputs;
    inputs.write("krotki.txt", importLines(0, 1));
    std::string emptyLines;
    for (int i = 0; i < 10 * 1024 * 1024; ++i)
        emptyLines += "\r\n"; // 20 MB
    inputs.write("pusty.txt", emptyLines);
    emptyLines.clear();

    const auto peakOfImport = [&](const std::string& name) {
        TemporaryDataDirectory dir;
        ChildProcess worker(kWorker, {"import", dir.directory().path(), inputs.file(name)}, dir.file("ack"));
        EXPECT_EQ(worker.wait(), 0) << name;
        return worker.peakMemoryKilobytes();
    };
    const auto small = peakOfImport("krotki.txt");
    const auto huge = peakOfImport("pusty.txt");
    if (!small || !huge)
        GTEST_SKIP() << "the system does not tell the peak memory of a child process";
    EXPECT_LT(*huge - *small, 8 * 1024) << "kilobytes more for 20 MB of empty lines than for one line";
}
