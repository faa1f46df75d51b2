// Moving employees between units from several real processes: two workstations moving in opposite
// directions at once both finish, and a move killed at any instant never loses the record.
#include "ChildProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <random>

using namespace taviro;
using namespace taviro::test;

namespace {

const std::string kWorker = TAVIRO_STORE_WORKER;

std::size_t acknowledged(const TemporaryDataDirectory& dir, const std::string& name)
{
    const std::string text = dir.read(name);
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::vector<std::string> employeeRecord(const std::string& id, const std::string& surname)
{
    return {"{", "ID=" + id, "PERSONNAME=Jan", "PERSONSURNAME=" + surname, "PERSONDUTY1=Kadry#$płace", "PERSONDELETE=0",
            "}", ""};
}

struct Census
{
    std::map<std::string, int> copies; // employee identifier → complete records in the file
    int cutShort = 0;                  // records without their "}"
    std::vector<std::string> strayLines;
};

// A strict reading of an employee file; empty lines between records are allowed (a move leaves
// the separator line of the record it took).
Census census(const std::string& content)
{
    Census result;
    bool inside = false;
    std::string id;
    for (const std::string_view line : splitLines(content)) {
        if (line == "{") {
            result.cutShort += inside ? 1 : 0;
            inside = true;
            id.clear();
        } else if (inside && line == "}") {
            ++result.copies[id];
            inside = false;
        } else if (inside) {
            const auto [key, value] = splitLine(line);
            if (key == "ID=")
                id = value;
        } else if (!line.empty()) {
            result.strayLines.emplace_back(line);
        }
    }
    result.cutShort += inside ? 1 : 0;
    return result;
}

std::vector<std::string> moveArguments(const TemporaryDataDirectory& dir, const std::string& from,
                                       const std::string& to, const std::string& employee, int count)
{
    return {"move", dir.directory().path(), from, to, employee, std::to_string(count)};
}

} // namespace

TEST(MoveEmployeeProcesses, OppositeMovesAtTheSameMomentBothFinish)
{
    TemporaryDataDirectory dir;
    dir.write("Pe000001.dat", storedText(employeeRecord("000011", "Kos")));
    dir.write("Pe000002.dat", storedText(employeeRecord("000022", "Lis")));
    constexpr int kMoves = 60; // even: each employee ends where it started
    ChildProcess east(kWorker, moveArguments(dir, "000001", "000002", "000011", kMoves), dir.file("ack-east"));
    ChildProcess west(kWorker, moveArguments(dir, "000002", "000001", "000022", kMoves), dir.file("ack-west"));

    // Two workstations waiting on each other would wait for ever: give them a generous bound.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((acknowledged(dir, "ack-east") < kMoves || acknowledged(dir, "ack-west") < kMoves) &&
           std::chrono::steady_clock::now() < giveUp)
        sleepMs(5);
    const bool finished = acknowledged(dir, "ack-east") == kMoves && acknowledged(dir, "ack-west") == kMoves;
    if (!finished) {
        east.kill();
        west.kill();
    }
    ASSERT_TRUE(finished) << acknowledged(dir, "ack-east") << " and " << acknowledged(dir, "ack-west") << " moves";
    EXPECT_EQ(east.wait(), 0);
    EXPECT_EQ(west.wait(), 0);

    const Census first = census(dir.read("Pe000001.dat"));
    const Census second = census(dir.read("Pe000002.dat"));
    for (const Census* file : {&first, &second}) {
        EXPECT_EQ(file->cutShort, 0);
        EXPECT_TRUE(file->strayLines.empty());
    }
    EXPECT_EQ(first.copies, (std::map<std::string, int>{{"000011", 1}}));
    EXPECT_EQ(second.copies, (std::map<std::string, int>{{"000022", 1}}));
}

TEST(MoveEmployeeProcesses, AMoveKilledAtAnyMomentNeverLosesTheRecord)
{
    TemporaryDataDirectory dir;
    dir.write("Pe000001.dat", storedText(employeeRecord("000011", "Kos")));
    dir.write("Pe000002.dat", storedText(employeeRecord("000022", "Lis")));
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delay(0, 25);
    int inBoth = 0;
    for (int round = 0; round < 24; ++round) {
        // The worker starts from a unit that holds the record; where an earlier kill left it in
        // both, its first move finishes that move.
        const bool inFirst = census(dir.read("Pe000001.dat")).copies.count("000011") > 0;
        const std::string from = inFirst ? "000001" : "000002";
        const std::string to = inFirst ? "000002" : "000001";
        const std::string ackFile = "ack" + std::to_string(round);
        {
            ChildProcess mover(kWorker, moveArguments(dir, from, to, "000011", 100000), dir.file(ackFile));
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (acknowledged(dir, ackFile) == 0 && std::chrono::steady_clock::now() < giveUp)
                sleepMs(1);
            sleepMs(delay(random));
            mover.kill();
        }
        ASSERT_GT(acknowledged(dir, ackFile), 0u) << "round " << round << ": the worker never moved";
        const Census first = census(dir.read("Pe000001.dat"));
        const Census second = census(dir.read("Pe000002.dat"));
        ASSERT_EQ(first.cutShort + second.cutShort, 0) << "round " << round;
        ASSERT_TRUE(first.strayLines.empty() && second.strayLines.empty()) << "round " << round;
        const int copies = (first.copies.count("000011") ? first.copies.at("000011") : 0) +
                           (second.copies.count("000011") ? second.copies.at("000011") : 0);
        ASSERT_GE(copies, 1) << "round " << round << ": the record is lost";
        ASSERT_LE(copies, 2) << "round " << round;
        inBoth += copies == 2 ? 1 : 0;
        ASSERT_EQ(second.copies.at("000022"), 1) << "the other employee is never touched";
    }

    // Whatever state the last kill left, one more move leaves exactly one copy.
    TestStore station;
    SharedFileAccess files(dir.directory(), station.notifier);
    Counters counters(files);
    RecordFiles records(files, counters, "00000099");
    const bool inFirst = census(dir.read("Pe000001.dat")).copies.count("000011") > 0;
    ASSERT_TRUE(moveEmployee(records, inFirst ? "000001" : "000002", inFirst ? "000002" : "000001", "000011"));
    const Census first = census(dir.read("Pe000001.dat"));
    const Census second = census(dir.read("Pe000002.dat"));
    EXPECT_EQ(first.copies.count("000011") + second.copies.count("000011"), 1u);
    EXPECT_EQ(second.copies.at("000022"), 1);
    RecordProperty("KilledBetweenAppendAndReplace", inBoth);
}
