#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace taviro::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& outputFile)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            ::dup2(out, STDOUT_FILENO);
            ::close(out);
        }
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
    while (::waitpid(static_cast<pid_t>(m_id), &status, 0) < 0) {
    }
    m_done = true;
    m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return m_exitCode;
}

bool ChildProcess::waitFor(int milliseconds)
{
    for (int waited = 0; !m_done; waited += 10) {
        int status = 0;
        const pid_t ended = ::waitpid(static_cast<pid_t>(m_id), &status, WNOHANG);
        if (ended == static_cast<pid_t>(m_id)) {
            m_done = true;
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

void sleepMs(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace taviro::test
