// Windows side of the test child processes: CreateProcessW with standard output going to a file,
// TerminateProcess for the hard end.
#include "ChildProcess.h"

#include <cstdint>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace taviro::test {
namespace {

std::wstring toWide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int length = static_cast<int>(utf8.size());
    const int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    return wide;
}

// One argument as the C runtime of the child splits its command line back: quotes around it when
// it is empty or holds blanks or quotes, a backslash before each quote, and backslashes doubled
// where they come before a quote (an inner one or the closing one).
void appendQuoted(std::wstring& commandLine, const std::wstring& argument)
{
    if (!commandLine.empty())
        commandLine += L' ';
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        commandLine += argument;
        return;
    }
    commandLine += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            commandLine.append(backslashes * 2 + 1, L'\\');
        } else {
            commandLine.append(backslashes, L'\\');
        }
        backslashes = 0;
        commandLine += c;
    }
    commandLine.append(backslashes * 2, L'\\');
    commandLine += L'"';
}

HANDLE toHandle(long long id)
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(id));
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& outputFile, const ChildOptions& options)
{
    m_done = true; // until the child really runs
    const std::wstring wideProgram = toWide(program);
    std::wstring commandLine;
    appendQuoted(commandLine, wideProgram);
    for (const std::string& argument : arguments)
        appendQuoted(commandLine, toWide(argument));

    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = sizeof inheritable;
    inheritable.bInheritHandle = TRUE;
    // Readable by the test while the child still writes to it.
    const HANDLE output = ::CreateFileW(toWide(outputFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return;
    // The child's complaints go to their own file, or where the test's own do. (Another user for
    // the child is a POSIX matter: the tests that need one do not run here.)
    HANDLE errors = nullptr;
    if (!options.errorFile.empty()) {
        errors = ::CreateFileW(toWide(options.errorFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (errors == INVALID_HANDLE_VALUE)
            errors = nullptr;
    } else if (const HANDLE ownErrors = ::GetStdHandle(STD_ERROR_HANDLE);
               ownErrors != nullptr && ownErrors != INVALID_HANDLE_VALUE) {
        ::DuplicateHandle(::GetCurrentProcess(), ownErrors, ::GetCurrentProcess(), &errors, 0, TRUE,
                          DUPLICATE_SAME_ACCESS);
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = output;
    startup.hStdError = errors;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(wideProgram.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &startup, &process);
    ::CloseHandle(output);
    if (errors)
        ::CloseHandle(errors);
    if (!started)
        return;
    ::CloseHandle(process.hThread);
    m_id = static_cast<long long>(reinterpret_cast<std::intptr_t>(process.hProcess));
    m_done = false;
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
    const HANDLE process = toHandle(m_id);
    ::WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    m_exitCode = ::GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
    ::CloseHandle(process);
    m_done = true;
    return m_exitCode;
}

bool ChildProcess::waitFor(int milliseconds)
{
    if (m_done)
        return true;
    if (::WaitForSingleObject(toHandle(m_id), static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0)
        return false;
    wait();
    return true;
}

void ChildProcess::kill()
{
    if (m_done)
        return;
    ::TerminateProcess(toHandle(m_id), 1);
    wait();
    m_exitCode = -1;
}

bool runsAsRoot()
{
    return false;
}

bool userExists(const std::string&)
{
    return false;
}

void sleepMs(int milliseconds)
{
    ::Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

} // namespace taviro::test
