// A child process for the multi-process tests: started with its standard output going to a file,
// waited for or killed hard (as a crash or a pulled plug would end it).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace taviro::test {

struct ChildOptions
{
    std::string errorFile; // standard error goes there when given, else where the test's goes
    // POSIX: the child runs as this user (the test itself must run as root); empty for the same.
    std::string user;
};

class ChildProcess
{
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments, const std::string& outputFile,
                 const ChildOptions& options = {});
    ~ChildProcess(); // kills the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits for the end; the exit code, or -1 when the child was killed or could not start.
    int wait();
    // Waits at most that long; true when the child has ended (its code then comes from wait()).
    bool waitFor(int milliseconds);
    // Ends the child at once, without giving it a chance to clean up, and reaps it.
    void kill();
    // Once the child has ended: the most memory it ever had resident, in kilobytes, where the
    // system tells (POSIX).
    std::optional<long> peakMemoryKilobytes() const { return m_peakMemory; }

private:
    long long m_id = -1; // pid on POSIX, process handle on Windows
    bool m_done = false;
    int m_exitCode = -1;
    std::optional<long> m_peakMemory;
};

// POSIX: whether the test runs as root and so could run a child as another user, and whether
// there is such a user.
bool runsAsRoot();
bool userExists(const std::string& name);

// Sleeps the calling thread.
void sleepMs(int milliseconds);

} // namespace taviro::test
