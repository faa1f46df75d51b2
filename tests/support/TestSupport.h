// Helpers for the data-store tests.
#pragma once

#include "TaviroTypeCode.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace taviro::test {

// A fresh empty folder, removed with everything in it when the object goes.
class TemporaryDataDirectory
{
public:
    TemporaryDataDirectory();
    ~TemporaryDataDirectory();
    TemporaryDataDirectory(const TemporaryDataDirectory&) = delete;
    TemporaryDataDirectory& operator=(const TemporaryDataDirectory&) = delete;

    const DataDirectory& directory() const { return m_directory; }
    std::string file(std::string_view relativeName) const { return m_directory.file(relativeName); }

    // Raw bytes of a file, or of nothing when it is missing.
    std::string read(std::string_view relativeName) const;
    void write(std::string_view relativeName, std::string_view bytes) const;
    bool exists(std::string_view relativeName) const;

private:
    DataDirectory m_directory;
};

// Counts waits and warnings instead of sleeping (unless told to sleep) and can run a callback
// when the warning comes.
class CountingNotifier : public WaitNotifier
{
public:
    explicit CountingNotifier(int sleepMilliseconds = 0) : m_sleep(sleepMilliseconds) {}
    void waitBeforeRetry() override;
    void showTimeoutWarning(const std::string& message) override;

    int waits = 0;
    std::vector<std::string> warnings;
    std::function<void()> onWarning;
    std::function<void(int waits)> onWait;

private:
    int m_sleep;
};

// Makes writes (or reads) of one file fail with EIO-like errors after a number of good ones.
class FailingFiles : public FaultInjector
{
public:
    FailingFiles(std::string relativeName, int goodWrites, bool failReads = false)
        : m_name(std::move(relativeName)), m_goodWrites(goodWrites), m_failReads(failReads)
    {}
    platform::ErrorCode beforeWrite(const std::string& relativeName) override;
    platform::ErrorCode beforeRead(const std::string& relativeName) override;
    std::size_t bytesWrittenBeforeFailure(const std::string&) override { return bytesBeforeFailure; }

    // How much of a failing write still reaches the file, as on a disk that fills up half-way.
    std::size_t bytesBeforeFailure = 0;

private:
    std::string m_name;
    int m_goodWrites;
    bool m_failReads;
};

// A clock stopped at one moment; tests that touch a date never depend on today.
class FixedClock : public Clock
{
public:
    explicit FixedClock(Date date = {2026, 3, 5}, TimeOfDay time = {9, 7, 3}) : date(date), time(time) {}
    Date today() const override { return date; }
    TimeOfDay now() const override { return time; }

    Date date;
    TimeOfDay time;
};

// A data store on a temporary directory: files, counters and record files together.
struct TestStore
{
    explicit TestStore(std::string session = "00000001", int sleepMilliseconds = 0)
        : notifier(sleepMilliseconds), files(dir.directory(), notifier), counters(files),
          records(files, counters, std::move(session))
    {}
    TemporaryDataDirectory dir;
    CountingNotifier notifier;
    SharedFileAccess files;
    Counters counters;
    RecordFiles records;
};

// Somebody who clears a folder again and again (Locks/ while the workstations work): every file in
// it is removed, over and over, on a thread of its own until stop() or the end of the object.
class FolderClearer
{
public:
    explicit FolderClearer(std::string folder);
    ~FolderClearer();
    FolderClearer(const FolderClearer&) = delete;
    FolderClearer& operator=(const FolderClearer&) = delete;
    // Stops the clearing; how many files it removed.
    int stop();

private:
    std::string m_folder;
    std::atomic<bool> m_finished{false};
    std::atomic<int> m_removed{0};
    std::thread m_thread;
};

// The complete lines of a text (a worker's acknowledgements): a last line without its LF is cut
// short and does not count; a CR before the LF (text mode on Windows) is dropped.
std::vector<std::string> completeLines(const std::string& text);

// Windows-1250 lines joined with CR LF, each line ended; the test writes the file in UTF-8
// and this gives what the program would have stored.
std::string storedText(const std::vector<std::string>& lines);

// Record builders: the lines of one record as the program writes it ("{", "ID=", the fields given,
// the deletion line, "}", an empty line), and a whole file of such records in stored form.
using RecordLines = std::vector<std::string>;
RecordLines unitRecord(const std::string& id, const std::string& name, bool deleted = false);
RecordLines employeeRecord(const std::string& id, const std::string& firstName, const std::string& surname,
                           bool deleted = false);
RecordLines appraisalRecord(const std::string& id, const std::string& periodEnd, bool deleted = false);
// An employee in a clerical position since a date, and a finished appraisal with its overall level
// and "Dnia" date: what the appraisal deadlines are reckoned from.
RecordLines clericalEmployeeRecord(const std::string& id, const std::string& surname, const std::string& since,
                                   bool deleted = false);
RecordLines gradedAppraisalRecord(const std::string& id, const std::string& drawnUp, const std::string& level,
                                  bool deleted = false);
std::string recordFile(const std::vector<RecordLines>& records);

// A counter file as the program stores it: four bytes, little-endian.
std::string counterBytes(std::int32_t value);

} // namespace taviro::test
