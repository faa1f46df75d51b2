// A backup made while four workstations append appraisals, rewrite one and move an employee back
// and forth: every copy is whole (its manifest verifies), passes the check, and holds the moving
// employee at least once; a copy damaged afterwards fails the verification.
#include "ChildProcess.h"
#include "TestSupport.h"

#include "DataBackup.h"
#include "DataCheck.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace taviro;
using namespace taviro::test;

namespace {

const std::string kWorker = TAVIRO_STORE_WORKER;

// Two units, three employees, one appraisal each for two of them, counters above all of them.
void seedOffice(const TemporaryDataDirectory& dir)
{
    dir.write("Cell.dat", recordFile({unitRecord("000001", "Kadry"), unitRecord("000002", "Płace")}));
    dir.write("Pe000001.dat",
              recordFile({employeeRecord("000011", "Jan", "Nowak"), employeeRecord("000012", "Anna", "Kos")}));
    dir.write("Pe000002.dat", recordFile({employeeRecord("000021", "Ewa", "Świeża")}));
    dir.write("Gr000011.dat", recordFile({appraisalRecord("000101", "31-12-2025")}));
    dir.write("Gr000021.dat", recordFile({appraisalRecord("000102", "15-02-2024")}));
    dir.write("Cell.cou", counterBytes(3));
    dir.write("Person.cou", counterBytes(22));
    dir.write("Grade.cou", counterBytes(103));
    dir.write("Session.cou", counterBytes(1));
}

int copiesOf(const std::string& content, const std::string& id)
{
    int copies = 0;
    for (const std::string_view line : splitLines(content))
        copies += line == "ID=" + id ? 1 : 0;
    return copies;
}

std::string folderWithSeparator(const std::string& path)
{
    return DataDirectory::withTrailingSeparator(path, platform::kSeparator);
}

} // namespace

TEST(BackupProcess, CopiesMadeWhileFourWorkstationsWriteAreWholeAndConsistent)
{
    TemporaryDataDirectory dir;
    TemporaryDataDirectory copies;
    seedOffice(dir);
    const std::string data = dir.directory().path();
    std::vector<std::unique_ptr<ChildProcess>> workers;
    workers.push_back(std::make_unique<ChildProcess>(
        kWorker, std::vector<std::string>{"append", data, "Gr000011.dat", "150", "A"}, copies.file("ack-a")));
    workers.push_back(std::make_unique<ChildProcess>(
        kWorker, std::vector<std::string>{"append", data, "Gr000021.dat", "150", "B"}, copies.file("ack-b")));
    workers.push_back(std::make_unique<ChildProcess>(
        kWorker, std::vector<std::string>{"rewrite", data, "Gr000011.dat", "000101", "150"}, copies.file("ack-r")));
    workers.push_back(std::make_unique<ChildProcess>(
        kWorker, std::vector<std::string>{"move", data, "000001", "000002", "000012", "400"}, copies.file("ack-m")));

    int made = 0;
    const auto running = [&] {
        return std::any_of(workers.begin(), workers.end(), [](const auto& worker) { return !worker->waitFor(0); });
    };
    while (made < 3 || (running() && made < 40)) {
        const std::string copy = copies.file("kopia" + std::to_string(++made));
        CountingNotifier notifier(1);
        SharedFileAccess files(dir.directory(), notifier);
        const BackupReport report = backupDataDirectory(files, copy, "Kopia w czasie pracy");
        EXPECT_TRUE(report.warnings.empty()) << report.warnings.front();

        const BackupVerification verification = verifyBackup(copy);
        EXPECT_TRUE(verification.problems.empty()) << copy << ": " << verification.problems.front();

        CountingNotifier checking;
        SharedFileAccess copied(DataDirectory(folderWithSeparator(copy)), checking);
        const DataCheckReport check = checkDataDirectory(copied);
        // A move holds both its files at once and the copy takes all employee files together, so not
        // even the employee in two units of a move in progress shows.
        EXPECT_TRUE(check.findings.empty()) << copy << ": " << findingText(check.findings.front());
        const std::string name = "kopia" + std::to_string(made);
        EXPECT_EQ(copiesOf(copies.read(relativeName({name, "Pe000001.dat"})), "000012") +
                      copiesOf(copies.read(relativeName({name, "Pe000002.dat"})), "000012"),
                  1)
            << copy;
    }
    for (const auto& worker : workers)
        EXPECT_EQ(worker->wait(), 0);

    // A copy changed afterwards, even by one byte of one record, fails its verification.
    const std::string damaged = relativeName({"kopia1", "Gr000011.dat"});
    std::string content = copies.read(damaged);
    content[content.find("ID=") + 3] ^= 1;
    copies.write(damaged, content);
    const BackupVerification verification = verifyBackup(copies.file("kopia1"));
    ASSERT_EQ(verification.problems.size(), 1u);
    EXPECT_NE(verification.problems[0].find("Gr000011.dat"), std::string::npos);
}
