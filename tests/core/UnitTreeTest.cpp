// The employee tree of a unit as the navigation panel gets it, against a plain reading of the files
// line by line: the same employees and appraisals, in file order, deleted records and records cut
// short by a crash left out, on damaged and on generated files. The scanner under it reads the same
// with blocks of every width.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <thread>

using namespace taviro;
using namespace taviro::test;

namespace {

// The live records of a file read the plain way: split at LF, CR dropped, "{" starts afresh, the
// values of the keys as last seen are taken at a deletion line "0" after an "ID=" line.
std::vector<std::vector<std::string>> plainLiveRecords(const std::string& bytes, const std::string& deletion,
                                                       const std::vector<std::string>& keys)
{
    std::vector<std::vector<std::string>> live;
    std::string id;
    std::vector<std::string> values(keys.size());
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? bytes.size() : end + 1;
        if (end != std::string::npos && !line.empty() && line.back() == '\r')
            line.pop_back();
        if (trimmed(line) == "{") {
            id.clear();
            values.assign(keys.size(), {});
            continue;
        }
        line = cp1250ToUtf8(line);
        const auto eq = line.find('=');
        const std::string key = eq == std::string::npos ? line : line.substr(0, eq + 1);
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        if (key == "ID=") {
            id = value;
        } else if (key == deletion) {
            if (value == "0" && !id.empty()) {
                live.push_back({id});
                live.back().insert(live.back().end(), values.begin(), values.end());
            }
        } else {
            for (std::size_t i = 0; i < keys.size(); ++i) {
                if (key == keys[i])
                    values[i] = value;
            }
        }
    }
    return live;
}

std::vector<EmployeeEntry> plainTree(const TemporaryDataDirectory& dir, const std::string& unitId)
{
    std::vector<EmployeeEntry> tree;
    for (const auto& person :
         plainLiveRecords(dir.read("Pe" + unitId + ".dat"), "PERSONDELETE=", {"PERSONNAME=", "PERSONSURNAME="})) {
        EmployeeEntry entry{person[0], person[1], person[2], {}};
        for (const auto& appraisal :
             plainLiveRecords(dir.read("Gr" + person[0] + ".dat"), "DELETE=", {"SECTIONDDATE2="}))
            entry.appraisals.push_back({appraisal[0], appraisal[1]});
        tree.push_back(std::move(entry));
    }
    return tree;
}

// A file of records some of which a crash or a hand edit damaged: a record without its end, one
// without its deletion line, a key after the deletion line, lines ending in LF only, a torn last line.
std::string damagedFile(std::mt19937& random, int records, const std::string& deletion,
                        const std::vector<std::string>& keys, int firstId)
{
    static const std::vector<std::string> kValues = {"Anna", "Żółć", "Kadry #1", "$", "", " Jan ", "31-12-2025", "A=B"};
    std::string text;
    for (int n = 0; n < records; ++n) {
        const int damage = static_cast<int>(random() % 10);
        std::vector<std::string> lines = {"{", "ID=" + identifierText(firstId + n)};
        for (const std::string& key : keys)
            lines.push_back(key + kValues[random() % kValues.size()]);
        lines.push_back("OTHER=" + kValues[random() % kValues.size()]);
        if (damage != 1)
            lines.push_back(deletion + (random() % 4 == 0 ? "1" : "0"));
        if (damage == 2)
            lines.push_back(keys.front() + "after the deletion line");
        if (damage != 3)
            lines.push_back("}");
        lines.push_back("");
        for (const std::string& line : lines)
            text += utf8ToCp1250(line) + (damage == 4 ? "\n" : "\r\n");
    }
    if (random() % 2 == 0)
        text += "{\r\nID=" + identifierText(firstId + records) + "\r\n" + keys.front() + "Cut";
    return text;
}

} // namespace

TEST(UnitTree, ADamagedFileGivesTheLiveRecordsOnly)
{
    TestStore store;
    store.dir.write("Pe000001.dat", recordFile({employeeRecord("000001", "Anna", "Nowak"),
                                                employeeRecord("000002", "Gone", "Away", true),
                                                {"{", "ID=000003", "PERSONNAME=Torn", "PERSONSURNAME=Record"},
                                                employeeRecord("000004", "Jan#", "Kos$")}) +
                                        "{\r\nID=000005\r\nPERSONNAME=Cut");
    store.dir.write("Gr000001.dat",
                    recordFile({appraisalRecord("000010", "30-06-2025"), appraisalRecord("000011", "31-12-2025", true),
                                appraisalRecord("000012", "30-06-2026")}));
    const std::vector<EmployeeEntry> expected = {
        {"000001", "Anna", "Nowak", {{"000010", "30-06-2025"}, {"000012", "30-06-2026"}}},
        {"000004", "Jan#", "Kos$", {}}};
    EXPECT_EQ(EmployeeRegister(store.records).unitTree("000001"), expected);
    EXPECT_EQ(plainTree(store.dir, "000001"), expected);
}

TEST(UnitTree, GeneratedDamagedFilesGiveTheSameTreeAsAPlainReading)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 40; ++round) {
        TestStore store;
        const int people = 1 + static_cast<int>(random() % 20);
        store.dir.write("Pe000001.dat",
                        damagedFile(random, people, "PERSONDELETE=", {"PERSONNAME=", "PERSONSURNAME="}, 1));
        for (int person = 1; person <= people; ++person) {
            if (random() % 5 != 0)
                store.dir.write("Gr" + identifierText(person) + ".dat",
                                damagedFile(random, static_cast<int>(random() % 12),
                                            "DELETE=", {"SECTIONDDATE2=", "SECTIONDDATE1="}, 100 * person));
        }
        ASSERT_EQ(EmployeeRegister(store.records).unitTree("000001"), plainTree(store.dir, "000001"))
            << "round " << round;
    }
}

TEST(UnitTree, AUnitLargeEnoughForAHelperThreadGivesTheSameTreeAsAPlainReading)
{
    std::mt19937 random(20261209);
    TestStore store;
    const int people = 150;
    store.dir.write("Pe000001.dat", damagedFile(random, people, "PERSONDELETE=", {"PERSONNAME=", "PERSONSURNAME="}, 1));
    for (int person = 1; person <= people; ++person) {
        if (person % 5 != 0)
            store.dir.write("Gr" + identifierText(person) + ".dat",
                            damagedFile(random, static_cast<int>(random() % 12),
                                        "DELETE=", {"SECTIONDDATE2=", "SECTIONDDATE1="}, 100 * person));
    }
    EXPECT_EQ(EmployeeRegister(store.records).unitTree("000001"), plainTree(store.dir, "000001"));

    // Handed over one by one, each once, with their appraisals in, from whichever thread.
    EmployeeRegister employees(store.records);
    std::vector<EmployeeEntry> entries = employees.liveEmployees("000001");
    std::vector<EmployeeEntry> handed(entries.size());
    std::vector<std::atomic<int>> calls(entries.size());
    employees.fillAppraisals(entries, [&](std::size_t index, EmployeeEntry& employee) {
        ++calls[index];
        handed[index] = std::move(employee);
    });
    EXPECT_TRUE(std::all_of(calls.begin(), calls.end(), [](const std::atomic<int>& n) { return n == 1; }));
    EXPECT_EQ(handed, plainTree(store.dir, "000001"));
}

TEST(UnitTree, AFileThatCannotBeReadInALargeUnitEndsTheFillWithItsName)
{
    TestStore store;
    std::vector<RecordLines> people;
    for (int person = 1; person <= 100; ++person) {
        people.push_back(employeeRecord(identifierText(person), "Anna", "Nowak"));
        store.dir.write("Gr" + identifierText(person) + ".dat", recordFile({appraisalRecord("000001", "30-06-2025")}));
    }
    store.dir.write("Pe000001.dat", recordFile(people));
    FailingFiles failing("Gr000070.dat", 0, true);
    store.files.setFaultInjector(&failing);
    try {
        EmployeeRegister(store.records).unitTree("000001");
        ADD_FAILURE() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(error.relativeName(), "Gr000070.dat");
    }
    store.files.setFaultInjector(nullptr);
    EXPECT_EQ(EmployeeRegister(store.records).unitTree("000001").size(), 100u) << "nothing stays held";
}

TEST(UnitTree, FilesHeldByAnotherWorkstationInALargeUnitAreWaitedForOnTheCallingThreadOnly)
{
    TestStore store("00000001", 10);
    std::vector<RecordLines> people;
    for (int person = 1; person <= 100; ++person) {
        people.push_back(employeeRecord(identifierText(person), "Anna", "Nowak"));
        store.dir.write("Gr" + identifierText(person) + ".dat", recordFile({appraisalRecord("000001", "30-06-2025")}));
    }
    store.dir.write("Pe000001.dat", recordFile(people));
    // The second half held, long enough for whichever thread comes to them to find them so.
    CountingNotifier otherNotifier;
    SharedFileAccess other(store.dir.directory(), otherNotifier);
    std::vector<SharedFile> held;
    for (int person = 51; person <= 100; ++person)
        held.push_back(other.openWithRetry("Gr" + identifierText(person) + ".dat", OpenKind::BinaryReadWrite));
    const std::thread::id caller = std::this_thread::get_id();
    bool waitedElsewhere = false;
    store.notifier.onWait = [&](int waits) {
        waitedElsewhere = waitedElsewhere || std::this_thread::get_id() != caller;
        if (waits == 2)
            held.clear();
    };
    const std::vector<EmployeeEntry> tree = EmployeeRegister(store.records).unitTree("000001");
    EXPECT_GE(store.notifier.waits, 2);
    EXPECT_FALSE(waitedElsewhere);
    EXPECT_EQ(tree, plainTree(store.dir, "000001"));
}

namespace {

// Contents made of lines that put keys, near-keys and braces at every distance from a block edge.
std::string scrambledContent(std::mt19937& random, const std::vector<std::string>& keys)
{
    static const std::vector<std::string> kOthers = {"{",
                                                     " {\t",
                                                     "{{",
                                                     "x{",
                                                     "}",
                                                     "",
                                                     "\r",
                                                     "ID",
                                                     "IDX=1",
                                                     "ID=",
                                                     "=",
                                                     "A=B",
                                                     "ID=0=0",
                                                     "Żółć=ą",
                                                     "SECTIONDDATE3=31-12-2025",
                                                     "SECTIONADATE2=01-01-2000"};
    std::string text;
    const int lines = static_cast<int>(random() % 40);
    for (int n = 0; n < lines; ++n) {
        std::string line;
        switch (random() % 4) {
        case 0:
            line = "ID=" + std::to_string(random() % 1000);
            break;
        case 1:
            line = keys[random() % keys.size()] + std::string(random() % 3, '0') + (random() % 2 ? "0" : "1");
            break;
        case 2:
            line = kOthers[random() % kOthers.size()];
            break;
        default:
            line = std::string(random() % 90, 'a') + (random() % 3 == 0 ? "=" : "") + "x";
        }
        text += utf8ToCp1250(line);
        const int end = static_cast<int>(random() % 6);
        text += end == 0 ? "\n" : end == 1 ? "\r" : "\r\n";
    }
    if (random() % 2 == 0 && !text.empty())
        text.pop_back(); // a last line without its line end
    return text;
}

} // namespace

TEST(LiveRecordScanner, BlocksOfEveryWidthReadLikeAPlainReading)
{
    using Blocks = LiveRecordScanner::Blocks;
    // Three key lengths; then more lengths than the blocks look for at once, and keys no line can
    // have ("X" has no "=", "A=B=" a second one).
    const std::vector<std::vector<std::string>> keySets = {
        {"DELETE=", "SECTIONDDATE2=", "SECTIONDDATE1="},
        {"PERSONDELETE=", "A=", "BB=", "CCCC=", "SECTIONDDATE2=", "X", "A=B="},
    };
    std::mt19937 random(20261210);
    for (int round = 0; round < 400; ++round) {
        const std::vector<std::string>& set = keySets[round % keySets.size()];
        const std::string content = scrambledContent(random, set);
        const std::vector<std::string> wanted(set.begin() + 1, set.end());
        const std::vector<std::string_view> views(wanted.begin(), wanted.end());
        const auto expected = plainLiveRecords(content, set.front(), wanted);
        for (const Blocks blocks : {Blocks::Bytes, Blocks::Sse2, Blocks::Avx2, Blocks::Avx512}) {
            LiveRecordScanner scanner(set.front(), views);
            scanner.setBlocks(blocks);
            scanner.start(content);
            std::vector<std::vector<std::string>> found;
            while (scanner.next()) {
                found.push_back({cp1250ToUtf8(scanner.id())});
                for (const std::string_view value : scanner.values())
                    found.back().push_back(cp1250ToUtf8(value));
            }
            ASSERT_EQ(found, expected) << "round " << round << ", blocks " << static_cast<int>(blocks);
        }
    }
}
