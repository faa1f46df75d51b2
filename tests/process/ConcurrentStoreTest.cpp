// Several workstations on one data directory, played by real processes: nothing they write at
// the same moment is lost or interleaved, counters never hand out a number twice, and a writer
// killed at any instant leaves every file readable with every acknowledged operation in it.
#include "ChildProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <thread>

using namespace taviro;
using namespace taviro::test;

namespace {

const std::string kWorker = TAVIRO_STORE_WORKER;

// Complete lines a worker acknowledged; a line cut short by a kill is not an acknowledgement.
std::vector<std::string> acknowledgements(const TemporaryDataDirectory& dir, const std::string& name)
{
    return completeLines(dir.read(name));
}

// Waits until a worker has acknowledged its first operation, so that a kill lands in its work
// and not in its start-up (which takes far longer than a few milliseconds under Wine).
void waitForFirstAcknowledgement(const TemporaryDataDirectory& dir, const std::string& name)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (acknowledgements(dir, name).empty() && std::chrono::steady_clock::now() < giveUp)
        sleepMs(1);
}

struct ParsedFile
{
    std::vector<std::map<std::string, std::string>> records; // complete records, in file order
    int cutShort = 0;                                        // records that never reached "}"
    std::vector<std::string> strayLines;                     // lines outside any record
};

// A strict reading of a record file: records are "{", key=value lines, "}" and an empty line.
ParsedFile parseStrictly(const std::string& content)
{
    ParsedFile parsed;
    std::map<std::string, std::string> current;
    bool inside = false;
    bool expectEmpty = false;
    for (const std::string_view line : splitLines(content)) {
        if (line == "{") {
            parsed.cutShort += inside ? 1 : 0;
            current.clear();
            inside = true;
            expectEmpty = false;
        } else if (inside && line == "}") {
            parsed.records.push_back(current);
            inside = false;
            expectEmpty = true;
        } else if (inside) {
            const auto [key, value] = splitLine(line);
            current[std::string(key)] = cp1250ToUtf8(value);
        } else if (line.empty() && expectEmpty) {
            expectEmpty = false;
        } else {
            parsed.strayLines.emplace_back(line);
        }
    }
    parsed.cutShort += inside ? 1 : 0;
    return parsed;
}

std::string appraisalFile()
{
    return appraisalsFileName("000001");
}

// The appraisal file with one record for each identifier, holding VALUE= with the value given.
void writeRecordsWithValues(const TemporaryDataDirectory& dir,
                            const std::vector<std::pair<std::string, std::string>>& valueById)
{
    std::vector<std::string> lines;
    for (const auto& [id, value] : valueById)
        lines.insert(lines.end(), {"{", "ID=" + id, "VALUE=" + value, "DELETE=0", "}", ""});
    dir.write(appraisalFile(), storedText(lines));
}

void writeRecords(const TemporaryDataDirectory& dir, const std::vector<std::string>& ids)
{
    std::vector<std::pair<std::string, std::string>> valueById;
    for (const std::string& id : ids)
        valueById.emplace_back(id, "start");
    writeRecordsWithValues(dir, valueById);
}

std::map<std::string, std::string> recordWithId(const ParsedFile& parsed, const std::string& id)
{
    for (const auto& record : parsed.records) {
        if (record.count("ID=") && record.at("ID=") == id)
            return record;
    }
    return {};
}

std::vector<std::string> args(const TemporaryDataDirectory& dir, std::initializer_list<std::string> rest)
{
    std::vector<std::string> all{rest};
    all.insert(all.begin() + 1, dir.directory().path());
    return all;
}

// The values the increment workers of those acknowledgement files wrote, each as often as it was
// acknowledged.
std::multiset<int> incrementsWritten(const TemporaryDataDirectory& dir, const std::vector<std::string>& ackFiles)
{
    std::multiset<int> written;
    for (const std::string& name : ackFiles) {
        for (const std::string& ack : acknowledgements(dir, name)) {
            std::istringstream in(ack);
            std::string kind;
            int value = 0;
            in >> kind >> value;
            written.insert(value);
        }
    }
    return written;
}

// 1, 2, … up to count: what increments that never overlap write between them.
std::multiset<int> oneToCount(int count)
{
    std::multiset<int> values;
    for (int value = 1; value <= count; ++value)
        values.insert(value);
    return values;
}

} // namespace

TEST(ConcurrentStore, FourWorkstationsAppendingToOneFileLoseNothing)
{
    TemporaryDataDirectory dir;
    std::vector<std::unique_ptr<ChildProcess>> workers;
    for (int w = 0; w < 4; ++w) {
        workers.push_back(std::make_unique<ChildProcess>(
            kWorker, args(dir, {"append", appraisalFile(), "250", "w" + std::to_string(w)}),
            dir.file("ack" + std::to_string(w))));
    }
    for (auto& worker : workers)
        EXPECT_EQ(worker->wait(), 0);

    const ParsedFile parsed = parseStrictly(dir.read(appraisalFile()));
    EXPECT_EQ(parsed.cutShort, 0);
    EXPECT_TRUE(parsed.strayLines.empty()) << parsed.strayLines.front();
    ASSERT_EQ(parsed.records.size(), 1000u);
    std::set<std::string> ids;
    std::map<std::string, int> nextSeq;
    for (const auto& record : parsed.records) {
        EXPECT_EQ(record.size(), 5u) << "ID, WORKER, SEQ, TEXT and DELETE, nothing mixed in";
        EXPECT_EQ(record.at("TEXT="), "zażółć#$gęślą jaźń");
        ids.insert(record.at("ID="));
        // Each workstation's records keep their order.
        EXPECT_EQ(std::stoi(record.at("SEQ=")), nextSeq[record.at("WORKER=")]++);
    }
    EXPECT_EQ(ids.size(), 1000u);
}

TEST(ConcurrentStore, FourWorkstationsDrawingFromOneCounterNeverShareANumber)
{
    TemporaryDataDirectory dir;
    std::vector<std::unique_ptr<ChildProcess>> workers;
    for (int w = 0; w < 4; ++w) {
        workers.push_back(
            std::make_unique<ChildProcess>(kWorker, args(dir, {"draw", "500"}), dir.file("ack" + std::to_string(w))));
    }
    for (auto& worker : workers)
        EXPECT_EQ(worker->wait(), 0);
    std::set<std::string> numbers;
    for (int w = 0; w < 4; ++w) {
        for (const std::string& line : acknowledgements(dir, "ack" + std::to_string(w)))
            numbers.insert(line);
    }
    EXPECT_EQ(numbers.size(), 2000u);
    EXPECT_TRUE(numbers.count("N 000001"));
    EXPECT_TRUE(numbers.count("N 002000"));
}

TEST(ConcurrentStore, RewritesAndAppendsAtOnceKeepEveryChange)
{
    TemporaryDataDirectory dir;
    writeRecords(dir, {"900001", "900002"});
    std::vector<std::unique_ptr<ChildProcess>> workers;
    for (const std::string id : {"900001", "900002"}) {
        workers.push_back(std::make_unique<ChildProcess>(kWorker, args(dir, {"rewrite", appraisalFile(), id, "200"}),
                                                         dir.file("ack-r" + id)));
    }
    for (const std::string tag : {"a", "b"}) {
        workers.push_back(std::make_unique<ChildProcess>(kWorker, args(dir, {"append", appraisalFile(), "100", tag}),
                                                         dir.file("ack-a" + tag)));
    }
    for (auto& worker : workers)
        EXPECT_EQ(worker->wait(), 0);

    const ParsedFile parsed = parseStrictly(dir.read(appraisalFile()));
    EXPECT_EQ(parsed.cutShort, 0);
    EXPECT_TRUE(parsed.strayLines.empty());
    EXPECT_EQ(parsed.records.size(), 202u);
    EXPECT_EQ(recordWithId(parsed, "900001")["VALUE="], "199");
    EXPECT_EQ(recordWithId(parsed, "900002")["VALUE="], "199");
    for (const std::string tag : {"a", "b"}) {
        const auto acks = acknowledgements(dir, "ack-a" + tag);
        ASSERT_EQ(acks.size(), 100u);
        for (const std::string& ack : acks) {
            std::istringstream in(ack);
            std::string kind, id, seq;
            in >> kind >> id >> seq;
            EXPECT_EQ(recordWithId(parsed, id)["SEQ="], seq) << ack;
        }
    }
}

// Three workstations add 1 to the same value again and again, each addition a rewrite of its own.
// A rewrite that let another in between its reading and its replacement (a shared lock, say) would
// lose an addition, whichever iterations collide: two workstations would then write one value.
TEST(ConcurrentStore, RewritesOfOneRecordAtOnceNeverOverwriteEachOther)
{
    TemporaryDataDirectory dir;
    writeRecordsWithValues(dir, {{"900001", "0"}, {"900002", "start"}});
    std::vector<std::unique_ptr<ChildProcess>> workers;
    std::vector<std::string> ackFiles;
    for (int w = 0; w < 3; ++w) {
        ackFiles.push_back("ack-c" + std::to_string(w));
        workers.push_back(std::make_unique<ChildProcess>(
            kWorker, args(dir, {"increment", appraisalFile(), "900001", "100"}), dir.file(ackFiles.back())));
    }
    workers.push_back(
        std::make_unique<ChildProcess>(kWorker, args(dir, {"append", appraisalFile(), "50", "a"}), dir.file("ack-a")));
    for (auto& worker : workers)
        EXPECT_EQ(worker->wait(), 0);

    const ParsedFile parsed = parseStrictly(dir.read(appraisalFile()));
    EXPECT_EQ(parsed.cutShort, 0);
    EXPECT_TRUE(parsed.strayLines.empty());
    EXPECT_EQ(parsed.records.size(), 52u);
    EXPECT_EQ(recordWithId(parsed, "900001")["VALUE="], "300") << "an addition was lost";
    EXPECT_EQ(incrementsWritten(dir, ackFiles), oneToCount(300)) << "each addition saw the one before it";
    EXPECT_EQ(recordWithId(parsed, "900002")["VALUE="], "start");
}

TEST(ConcurrentStore, AReaderWaitsForAShortHoldWithoutAWarning)
{
    TestStore store("00000099", 10);
    store.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=0", "}", ""}));
    ChildProcess holder(kWorker, args(store.dir, {"hold", "Cell.dat", "300"}), store.dir.file("ack"));
    while (acknowledgements(store.dir, "ack").empty())
        sleepMs(1);
    const auto units = store.records.enumerateLive("Cell.dat", RecordKind::Unit, {"CELLNAME="});
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].values[0], "Kadry");
    EXPECT_GT(store.notifier.waits, 0) << "the reader really waited";
    EXPECT_TRUE(store.notifier.warnings.empty());
    EXPECT_EQ(holder.wait(), 0);
}

TEST(ConcurrentStore, AFileHeldTooLongWarnsOnceAndTheOperationThenCompletes)
{
    TestStore store;
    store.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=0", "}", ""}));
    ChildProcess holder(kWorker, args(store.dir, {"hold", "Cell.dat", "600000"}), store.dir.file("ack"));
    while (acknowledgements(store.dir, "ack").empty())
        sleepMs(1);
    // The user reads the warning while somebody finds the workstation that holds the file.
    store.notifier.onWarning = [&] { holder.kill(); };
    EXPECT_EQ(store.records.findUnitIdByName("KADRY"), "000001");
    ASSERT_EQ(store.notifier.warnings.size(), 1u);
    EXPECT_EQ(store.notifier.warnings[0], "UWAGA! Nastąpiło przeterminowanie dostępu do pliku - Cell.dat - prosze "
                                          "poinformowac o tym obsługę informatyczną firmy.");
    EXPECT_GE(store.notifier.waits, 1000);
}

TEST(ConcurrentStore, AWriterKilledAtAnyMomentLeavesEveryAcknowledgedChange)
{
    TemporaryDataDirectory dir;
    writeRecords(dir, {"900001"});
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(2, 60);
    std::set<std::string> acknowledgedIds;
    int lastRewrite = -1;
    for (int round = 0; round < 50; ++round) {
        const std::string ackFile = "ack" + std::to_string(round);
        {
            ChildProcess writer(kWorker, args(dir, {"churn", appraisalFile(), "900001"}), dir.file(ackFile));
            // Odd rounds count the delay from the first acknowledgement, even rounds from the
            // start, which also kills some writers while they still draw their session number.
            if (round % 2 == 1)
                waitForFirstAcknowledgement(dir, ackFile);
            sleepMs(delay(random));
            writer.kill();
        }
        int roundRewrite = -1;
        for (const std::string& ack : acknowledgements(dir, ackFile)) {
            std::istringstream in(ack);
            std::string kind, first;
            in >> kind >> first;
            if (kind == "A")
                acknowledgedIds.insert(first);
            else
                roundRewrite = std::stoi(first);
        }
        const ParsedFile parsed = parseStrictly(dir.read(appraisalFile()));
        ASSERT_TRUE(parsed.strayLines.empty()) << "round " << round << ": " << parsed.strayLines.front();
        std::set<std::string> present;
        for (const auto& record : parsed.records)
            present.insert(record.at("ID="));
        for (const std::string& id : acknowledgedIds)
            ASSERT_TRUE(present.count(id)) << "round " << round << " lost record " << id;
        // The rewritten value is the last acknowledged one or the one in flight at the kill.
        const std::string value = recordWithId(parsed, "900001")["VALUE="];
        ASSERT_FALSE(value.empty()) << "round " << round;
        if (roundRewrite >= 0) {
            lastRewrite = roundRewrite;
            EXPECT_TRUE(value == std::to_string(roundRewrite) || value == std::to_string(roundRewrite + 2))
                << "round " << round << ": " << value;
        }
        // The ordinary readers agree with the strict one.
        TestStore reader;
        SharedFileAccess files(dir.directory(), reader.notifier);
        Counters counters(files);
        RecordFiles records(files, counters, "00000000");
        const auto live = records.enumerateLive(appraisalFile(), RecordKind::Appraisal, {"SEQ="});
        EXPECT_EQ(live.size() + static_cast<std::size_t>(parsed.cutShort), parsed.records.size() + parsed.cutShort);
    }
    EXPECT_GT(acknowledgedIds.size(), 0u) << "the writer got some work done between kills";
    EXPECT_GE(lastRewrite, 0);
}

TEST(ConcurrentStore, LockFilesRemovedInALoopLoseNothingAcknowledged)
{
    TemporaryDataDirectory dir;
    writeRecordsWithValues(dir, {{"900001", "start"}, {"900002", "start"}, {"900003", "0"}});
    std::vector<std::unique_ptr<ChildProcess>> workers;
    const std::vector<std::string> incrementAcks = {"ack-c0", "ack-c1"};
    for (const std::string& ack : incrementAcks) {
        workers.push_back(std::make_unique<ChildProcess>(
            kWorker, args(dir, {"increment", appraisalFile(), "900003", "100"}), dir.file(ack)));
    }
    for (const std::string id : {"900001", "900002"}) {
        workers.push_back(std::make_unique<ChildProcess>(kWorker, args(dir, {"rewrite", appraisalFile(), id, "150"}),
                                                         dir.file("ack-r" + id)));
    }
    for (const std::string tag : {"a", "b"}) {
        workers.push_back(std::make_unique<ChildProcess>(kWorker, args(dir, {"append", appraisalFile(), "150", tag}),
                                                         dir.file("ack-a" + tag)));
    }
    // Somebody clears the lock files again and again while the workstations work.
    FolderClearer clearer(dir.file("Locks"));
    for (auto& worker : workers)
        EXPECT_EQ(worker->wait(), 0);
    const int removed = clearer.stop();

    const ParsedFile parsed = parseStrictly(dir.read(appraisalFile()));
    EXPECT_EQ(parsed.cutShort, 0);
    EXPECT_TRUE(parsed.strayLines.empty());
    EXPECT_EQ(parsed.records.size(), 303u);
    EXPECT_EQ(recordWithId(parsed, "900001")["VALUE="], "149") << "no rewrite overwrote another";
    EXPECT_EQ(recordWithId(parsed, "900002")["VALUE="], "149");
    EXPECT_EQ(recordWithId(parsed, "900003")["VALUE="], "200") << "every acknowledged addition is there";
    EXPECT_EQ(incrementsWritten(dir, incrementAcks), oneToCount(200));
    std::set<std::string> ids;
    for (const auto& record : parsed.records)
        ids.insert(record.at("ID="));
    EXPECT_EQ(ids.size(), parsed.records.size()) << "the counter never gave a number twice";
    for (const std::string tag : {"a", "b"}) {
        const auto acks = acknowledgements(dir, "ack-a" + tag);
        ASSERT_EQ(acks.size(), 150u);
        for (const std::string& ack : acks) {
            std::istringstream in(ack);
            std::string kind, id, seq;
            in >> kind >> id >> seq;
            EXPECT_EQ(recordWithId(parsed, id)["SEQ="], seq) << ack << " is lost";
        }
    }
    EXPECT_GT(removed, 0) << "the lock files were really removed meanwhile";
    RecordProperty("LockFilesRemoved", removed);
}
