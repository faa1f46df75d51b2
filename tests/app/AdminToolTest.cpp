// The admin tool: set-admin-password through the real executable and through the command layer,
// and the handling of bad command lines.
#include "AdminCommands.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#ifndef _WIN32
#include <sys/wait.h>
#endif

using namespace taviro;
using namespace taviro::test;

namespace {

struct RunResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text)
{
#ifdef _WIN32
    return "\"" + text + "\"";
#else
    std::string result = "'";
    for (const char c : text) {
        if (c == '\'')
            result += "'\\''";
        else
            result += c;
    }
    return result + "'";
#endif
}

// Runs a program with the given standard input; standard output and error are collected in
// files of a folder of their own, so the data directory holds only what the program wrote.
RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& input)
{
    static TemporaryDataDirectory outputs;
    std::string command = quoted(program);
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    command += " >" + quoted(outputs.file("out.txt")) + " 2>" + quoted(outputs.file("err.txt"));
#ifdef _WIN32
    FILE* pipe = _popen(command.c_str(), "wb");
#else
    FILE* pipe = ::popen(command.c_str(), "w");
#endif
    RunResult result;
    if (!pipe)
        return result;
    std::fwrite(input.data(), 1, input.size(), pipe);
#ifdef _WIN32
    result.exitCode = _pclose(pipe);
#else
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    result.out = outputs.read("out.txt");
    result.err = outputs.read("err.txt");
    return result;
}

RunResult runTool(const TemporaryDataDirectory& dir, const std::vector<std::string>& arguments,
                  const std::string& input)
{
    std::vector<std::string> all = {"--data-dir", dir.directory().path()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return runProgram(TAVIRO_ADMIN_EXECUTABLE, all, input);
}

LoginResult administratorLogin(TestStore& store, const std::string& password)
{
    return Accounts(store.files).login("administrator", password);
}

// The command layer in-process, with the console in strings.
RunResult runInProcess(const std::vector<std::string>& arguments, const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    admin::Console console{in, out, err};
    RunResult result;
    result.exitCode = admin::runAdminTool(arguments, console);
    result.out = out.str();
    result.err = err.str();
    return result;
}

} // namespace

// ---- The real executable ----

TEST(SetAdminPassword, StoredPasswordOpensTheAdministratorLoginInAnyLetterCase)
{
    TestStore store;
    const RunResult result = runTool(store.dir, {"set-admin-password"}, "  Zażółć Hasło \r\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Admin.dat"), std::string::npos) << result.out;
    EXPECT_EQ(store.dir.read("Admin.dat"), pairEncode(utf8ToCp1250("ZAŻÓŁĆ HASŁO")) + "\r\n");

    const LoginResult login = administratorLogin(store, " zażółć hasło");
    EXPECT_EQ(login.outcome, LoginResult::Outcome::Accepted);
    EXPECT_EQ(login.user, "Administrator");
    EXPECT_EQ(login.password, "ZAŻÓŁĆ HASŁO");
    EXPECT_EQ(administratorLogin(store, "zazolc haslo").outcome, LoginResult::Outcome::Refused);
}

TEST(SetAdminPassword, EmptyPasswordIsRefusedAndNothingIsWritten)
{
    TestStore store;
    for (const std::string input : {"", "\n", "   \r\n", " \t \nsecond line\n"}) {
        const RunResult result = runTool(store.dir, {"set-admin-password"}, input);
        EXPECT_EQ(result.exitCode, 1) << '"' << input << '"';
        EXPECT_NE(result.err.find("nie może być puste"), std::string::npos) << result.err;
        EXPECT_FALSE(store.dir.exists("Admin.dat"));
    }
}

TEST(SetAdminPassword, ReplacesAnEarlierPasswordAndReadsOnlyTheFirstLine)
{
    TestStore store;
    ASSERT_EQ(runTool(store.dir, {"set-admin-password"}, "stare\n").exitCode, 0);
    ASSERT_EQ(runTool(store.dir, {"set-admin-password"}, "nowe\ninne\n").exitCode, 0);
    EXPECT_EQ(administratorLogin(store, "stare").outcome, LoginResult::Outcome::Refused);
    EXPECT_EQ(administratorLogin(store, "inne").outcome, LoginResult::Outcome::Refused);
    EXPECT_EQ(administratorLogin(store, "NOWE").outcome, LoginResult::Outcome::Accepted);
}

TEST(SetAdminPassword, TextOutsideTheCodePageFailsWithoutWriting)
{
    TestStore store;
    const RunResult result = runTool(store.dir, {"set-admin-password"}, "hasło✓\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_FALSE(result.err.empty());
    EXPECT_FALSE(store.dir.exists("Admin.dat"));
}

TEST(SetAdminPassword, WriteFailureIsReportedWithExitCodeTwo)
{
    TestStore store;
    // A plain file where the temporary folder should be: the new content cannot be prepared.
    store.dir.write("Temp", "x");
    const RunResult result = runTool(store.dir, {"set-admin-password"}, "haslo\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Admin.dat"), std::string::npos) << result.err;
    EXPECT_FALSE(store.dir.exists("Admin.dat"));
}

TEST(SetAdminPassword, WithoutDataDirOptionTheProgramFolderIsUsed)
{
    TemporaryDataDirectory programFolder;
    const std::string copy = programFolder.file("taviro-admin");
    std::filesystem::copy_file(TAVIRO_ADMIN_EXECUTABLE, copy);
    const RunResult result = runProgram(copy, {"set-admin-password"}, "Sekret\n");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(programFolder.read("Admin.dat"), pairEncode("SEKRET") + "\r\n");
}

TEST(AdminToolCommandLine, UnknownCommandOrMissingDirectoryIsRefused)
{
    TestStore store;
    RunResult result = runTool(store.dir, {"make-coffee"}, "");
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_NE(result.err.find("Nieznane polecenie: make-coffee"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Użycie: taviro-admin"), std::string::npos) << result.err;

    result = runProgram(TAVIRO_ADMIN_EXECUTABLE, {}, "");
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_NE(result.err.find("set-admin-password"), std::string::npos) << result.err;

    result =
        runProgram(TAVIRO_ADMIN_EXECUTABLE, {"--data-dir", store.dir.file("nowhere"), "set-admin-password"}, "haslo\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("nie istnieje"), std::string::npos) << result.err;
    EXPECT_FALSE(store.dir.exists("nowhere"));
}

// ---- The command layer in-process ----

TEST(AdminToolCommandLine, OptionsAreTakenInEitherFormAndPlace)
{
    TestStore store;
    const std::string dir = store.dir.directory().path();
    EXPECT_EQ(runInProcess({"--data-dir=" + dir, "set-admin-password"}, "a\n").exitCode, 0);
    EXPECT_EQ(administratorLogin(store, "a").outcome, LoginResult::Outcome::Accepted);
    EXPECT_EQ(runInProcess({"set-admin-password", "--data-dir", dir}, "b\n").exitCode, 0);
    EXPECT_EQ(administratorLogin(store, "b").outcome, LoginResult::Outcome::Accepted);
}

TEST(AdminToolCommandLine, MalformedLinesGiveTheUsageAndTouchNothing)
{
    TestStore store;
    const std::string dir = store.dir.directory().path();
    const std::vector<std::vector<std::string>> lines = {
        {"set-admin-password", "--data-dir"},  // the option without its folder
        {"--data-dir=", "set-admin-password"}, // the same, empty
        {"--data-dir", dir, "--force", "set-admin-password"},
        {"--data-dir", dir, "set-admin-password", "extra"},
        {"--data-dir", dir},
    };
    for (const auto& line : lines) {
        const RunResult result = runInProcess(line, "haslo\n");
        EXPECT_EQ(result.exitCode, 64) << line.size();
        EXPECT_NE(result.err.find("Użycie"), std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_FALSE(store.dir.exists("Admin.dat"));

    const RunResult help = runInProcess({"--help"}, "");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("set-admin-password"), std::string::npos);
}
