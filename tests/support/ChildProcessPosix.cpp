#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace taviro::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& outputFile, const ChildOptions& options)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // Looked up before the fork: the child does only what is safe between fork and exec.
    const passwd* account = options.user.empty() ? nullptr : ::getpwnam(options.user.c_str());
    const uid_t uid = account ? account->pw_uid : 0;
    const gid_t gid = account ? account->pw_gid : 0;
    if (!options.user.empty() && !account) {
        m_done = true;
        return;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The output files are opened before the user changes, so that they may lie anywhere.
        const auto redirect = [](const std::string& file, int target) {
            const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                ::dup2(fd, target);
                ::close(fd);
            }
        };
        redirect(outputFile, STDOUT_FILENO);
        if (!options.errorFile.empty())
            redirect(options.errorFile, STDERR_FILENO);
        if (account && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(126);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    m_id = pid;
    m_done = pid < 0;
}

ChildProcess::~ChildProcess()
{
    if (!m_done)
        kill();
}

int ChildProcess::wait()
{
    if (m_done)
        return m_exitCode;
    int status = 0;
    rusage usage{};
    while (::wait4(static_cast<pid_t>(m_id), &status, 0, &usage) < 0) {
    }
    m_done = true;
    m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_peakMemory = usage.ru_maxrss;
    return m_exitCode;
}

bool ChildProcess::waitFor(int milliseconds)
{
    for (int waited = 0; !m_done; waited += 10) {
        int status = 0;
        rusage usage{};
        const pid_t ended = ::wait4(static_cast<pid_t>(m_id), &status, WNOHANG, &usage);
        if (ended == static_cast<pid_t>(m_id)) {
            m_done = true;
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            m_peakMemory = usage.ru_maxrss;
            break;
        }
        if (waited >= milliseconds)
            return false;
        sleepMs(10);
    }
    return true;
}

void ChildProcess::kill()
{
    if (m_done)
        return;
    ::kill(static_cast<pid_t>(m_id), SIGKILL);
    wait();
    m_exitCode = -1;
}

bool runsAsRoot()
{
    return ::geteuid() == 0;
}

bool userExists(const std::string& name)
{
    return ::getpwnam(name.c_str()) != nullptr;
}

void sleepMs(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace taviro::test
