// The administrator's care of the largest office's folder: 100 units of 50 employees, each with ten
// appraisals (50,000), checked, backed up and the copy verified, each beside its floor: plainly
// reading the same files (open, read whole, close), and for the backup plainly copying them, each
// forced to disk. The generated folder is clean, so the check
// must find nothing; the copy must verify. Timed on a warm cache; the data goes to TMPDIR and is
// removed at the end.
#include "GeneratedOffice.h"

#include "DataBackup.h"
#include "DataCheck.h"
#include "WaitNotifier.h"

#include <cstdio>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

using namespace taviro;
using namespace taviro::bench;

namespace {

constexpr int kUnits = 100;
constexpr int kEmployeesPerUnit = 50;
constexpr int kRuns = 3;

class SilentNotifier : public WaitNotifier
{
public:
    void waitBeforeRetry() override {}
    void showTimeoutWarning(const std::string&) override {}
};

std::string withSeparator(const std::filesystem::path& folder)
{
    return DataDirectory::withTrailingSeparator(folder.string(), platform::kSeparator);
}

std::vector<std::string> filesOf(const std::filesystem::path& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    }
    return files;
}

// The floor of a durable copy: each file read whole, written to a new file and forced to disk.
void copyDurably(const std::vector<std::string>& files, const std::filesystem::path& target, std::vector<char>& buffer)
{
    std::filesystem::create_directory(target);
    for (const std::string& path : files) {
        const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        ::close(in);
        const std::string copy = (target / std::filesystem::path(path).filename()).string();
        const int out = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (in < 0 || got < 0 || out < 0 || ::write(out, buffer.data(), static_cast<std::size_t>(got)) != got ||
            ::fsync(out) != 0)
            throw std::runtime_error("cannot copy " + path);
        ::close(out);
    }
}

void print(const char* what, const std::vector<double>& times, const std::vector<double>& floors)
{
    const double time = median(times);
    const double floor = median(floors);
    std::printf("%-28s %8.1f ms, floor %7.1f ms, ratio %5.2f\n", what, time, floor, time / floor);
}

} // namespace

int main()
{
    const auto folder = freshFolder("taviro-bench-care-");
    const auto copies = freshFolder("taviro-bench-care-copies-");
    int status = 0;
    try {
        writeDataDirectory(folder, std::vector<int>(kUnits, kEmployeesPerUnit));
        const std::vector<std::string> files = filesOf(folder);
        std::vector<char> buffer(8 << 20);
        SilentNotifier notifier;
        SharedFileAccess access(DataDirectory(withSeparator(folder)), notifier);

        std::vector<double> checks, backups, verifies, floors, copyFloors;
        std::size_t findings = 0;
        for (int run = 0; run < kRuns; ++run) {
            floors.push_back(millisecondsOf([&] { readPlainly(files, buffer); }));
            checks.push_back(millisecondsOf([&] { findings += checkDataDirectory(access).findings.size(); }));
            const std::string copy = (copies / ("kopia" + std::to_string(run))).string();
            backups.push_back(millisecondsOf([&] { backupDataDirectory(access, copy, "bench"); }));
            copyFloors.push_back(
                millisecondsOf([&] { copyDurably(files, copies / ("floor" + std::to_string(run)), buffer); }));
            verifies.push_back(millisecondsOf([&] {
                if (!verifyBackup(copy).problems.empty())
                    throw std::runtime_error("the copy does not verify");
            }));
        }
        std::printf("data folder: %d employees, %zu files (medians of %d runs)\n", kUnits * kEmployeesPerUnit,
                    files.size(), kRuns);
        print("check", checks, floors);
        print("backup (durable copy)", backups, copyFloors);
        print("backup --verify", verifies, floors);
        if (findings != 0) {
            std::fprintf(stderr, "the check found %zu problems in a clean folder\n", findings / kRuns);
            status = 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(folder);
    std::filesystem::remove_all(copies);
    return status;
}
