// The admin tool: set-admin-password through the real executable and through the command layer,
// and the handling of bad command lines.
#include "AdminCommands.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

// Runs a program with the given standard input; standard input, output and error are files of a
// folder of their own, so the data directory holds only what the program wrote. Standard input is
// a file rather than a pipe: a program that ends without reading it leaves nobody writing into a
// pipe that has lost its reader.
RunResult runProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& input)
{
    static TemporaryDataDirectory outputs;
    outputs.write("in.txt", input);
    std::string command = quoted(program);
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    command += " <" + quoted(outputs.file("in.txt")) + " >" + quoted(outputs.file("out.txt")) + " 2>" +
               quoted(outputs.file("err.txt"));
    RunResult result;
#ifdef _WIN32
    result.exitCode = std::system(("\"" + command + "\"").c_str()); // cmd.exe takes off the outer quotes
#else
    const int status = std::system(command.c_str());
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

    // Far more input than a pipe holds, which the refused tool never reads: standard input is a
    // file, so nobody is left writing into a pipe whose reader has gone (SIGPIPE), however the two
    // processes happen to be timed.
    result = runTool(store.dir, {"make-coffee"}, std::string(std::size_t{1} << 20, 'x') + "\n");
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_NE(result.err.find("Nieznane polecenie: make-coffee"), std::string::npos) << result.err;

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

// ---- import FILE ----

namespace {

std::string importLine(const std::string& unit, const std::string& firstName, const std::string& surname)
{
    return utf8ToCp1250("Urząd Gminy\tŁęczyca\t" + unit + "\tJan Nowak\tKierownik\t" + firstName + "\t" + surname +
                        "\tReferent\t1\t01-02-2010\t15-06-2018\r\n");
}

} // namespace

TEST(ImportCommand, WritesWhatTheImportWritesAndReportsTheCounts)
{
    TemporaryDataDirectory inputs;
    inputs.write("Pracownicy.txt", importLine("Księgowość", "Anna", "Lis") + importLine("Kadry", "Jan", "Kos") +
                                       "\r\n" + importLine("KSIĘGOWOŚĆ", "Żaneta", "Wójcik") +
                                       importLine("księgowość", "ANNA", "lis"));
    TestStore byTool;
    const RunResult result = runTool(byTool.dir, {"import", inputs.file("Pracownicy.txt")}, "");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "taken=4 units_added=2 employees_added=3\nKodowanie pliku importu: Windows-1250\n");
    EXPECT_EQ(result.err, "");

    TestStore direct;
    const ImportResult counts = importRegister(direct.records, inputs.file("Pracownicy.txt"));
    EXPECT_EQ(counts.taken, 4);
    for (const std::string file : {"Cell.dat", "Pe000001.dat", "Pe000002.dat", "Cell.cou", "Person.cou"}) {
        EXPECT_TRUE(direct.dir.exists(file)) << file;
        EXPECT_EQ(byTool.dir.read(file), direct.dir.read(file)) << file;
    }
    EXPECT_TRUE(byTool.dir.exists("Session.cou")) << "the tool runs as a session of its own";

    // Again: nothing new, every line taken.
    const RunResult again = runTool(byTool.dir, {"import", inputs.file("Pracownicy.txt")}, "");
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out.rfind("taken=4 units_added=0 employees_added=0\n", 0), 0u) << again.out;
}

TEST(ImportCommand, SaysWhichEncodingItReadAndRefusesTextTheDataFilesCannotHold)
{
    TemporaryDataDirectory inputs;
    const std::string line = "Urząd Gminy\tŁęczyca\tKsięgowość\tJan Nowak\tKierownik\tAnna\tLis\tReferent\t1\t"
                             "01-02-2010\t15-06-2018\r\n";
    inputs.write("bom.txt", "\xEF\xBB\xBF" + line);
    inputs.write("serce.txt", line + "Kadry\tJan ♥\r\n");
    TestStore store;
    const RunResult refused = runTool(store.dir, {"import", inputs.file("serce.txt")}, "");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err.rfind("Wiersz 2 pliku importu zawiera znak „♥”", 0), 0u) << refused.err;
    EXPECT_TRUE(std::filesystem::is_empty(store.dir.directory().path())) << "not even a session number drawn";

    const RunResult read = runTool(store.dir, {"import", inputs.file("bom.txt")}, "");
    ASSERT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "taken=1 units_added=1 employees_added=1\nKodowanie pliku importu: UTF-8 ze znacznikiem BOM\n");
    EXPECT_EQ(UnitRegister(store.records).liveUnits(), (std::vector<UnitEntry>{{"000001", "Księgowość"}}));
}

TEST(ImportCommand, AFileWithoutATakenLineIsRefusedWithTheWarning)
{
    TemporaryDataDirectory inputs;
    inputs.write("zly.txt", "Kadry;Jan;Kos\r\nF\tC\tKadry\tP\tS\tJan\tKos\tR\t1\t01-01-2001\r\n");
    inputs.write("pusty.txt", "");
    TestStore store;
    for (const std::string name : {"zly.txt", "pusty.txt"}) {
        const RunResult result = runTool(store.dir, {"import", inputs.file(name)}, "");
        EXPECT_EQ(result.exitCode, 1) << name;
        EXPECT_EQ(result.err, "UWAGA! Błędny format pliku lub brak danych.\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(store.dir.exists("Cell.dat"));
}

TEST(ImportCommand, AnUnreadableFileIsReportedAndTheDataDirectoryIsLeftAlone)
{
    TestStore store;
    TemporaryDataDirectory inputs;
    for (const std::string& path : {inputs.file("brak.txt"), inputs.directory().path()}) {
        const RunResult result = runTool(store.dir, {"import", path}, "");
        EXPECT_EQ(result.exitCode, 2) << path;
        EXPECT_NE(result.err.find("Nie można odczytać pliku importu"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(store.dir.directory().path())) << "not even a session number drawn";

    const RunResult noFile = runInProcess({"--data-dir", store.dir.directory().path(), "import"}, "");
    EXPECT_EQ(noFile.exitCode, 64);
    EXPECT_NE(noFile.err.find("import PLIK"), std::string::npos) << noFile.err;
}
