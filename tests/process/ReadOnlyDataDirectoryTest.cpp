// A data directory the workstation may only read (a read-only mount, or another user's folder):
// reading works, and a writing command of the admin tool ends with its message instead of waiting
// for ever.
#include "ChildProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace taviro;
using namespace taviro::test;

#ifndef _WIN32
namespace {

const std::string kWorker = TAVIRO_STORE_WORKER;
const std::string kAdmin = TAVIRO_ADMIN_EXECUTABLE;

// The programs as the other user can start them: a build folder inside a private one (a checkout
// made in a folder of mktemp -d) is out of that user's reach, so they are copied next to the data.
std::string reachableCopy(const TemporaryDataDirectory& programs, const std::string& program)
{
    namespace fs = std::filesystem;
    const fs::path copy = fs::path(programs.directory().path()) / fs::path(program).filename();
    fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    return copy.string();
}

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Takes write permission from everybody for the folder and everything in it, and gives it back
// (to the owner) when it goes, so that the folder can be removed.
class WritesRefused
{
public:
    explicit WritesRefused(const std::string& folder) : m_folder(folder) { set(false); }
    ~WritesRefused() { set(true); }
    WritesRefused(const WritesRefused&) = delete;
    WritesRefused& operator=(const WritesRefused&) = delete;

private:
    void set(bool writable)
    {
        namespace fs = std::filesystem;
        const auto change = [&](const fs::path& path) {
            std::error_code ec;
            if (writable)
                fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
            else
                fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                                fs::perm_options::remove, ec);
        };
        change(m_folder);
        std::error_code ec;
        for (fs::recursive_directory_iterator entry(m_folder, ec), end; !ec && entry != end; entry.increment(ec))
            change(entry->path());
    }
    std::string m_folder;
};

} // namespace
#endif

TEST(ReadOnlyDataDirectory, ReadingAndLoginWorkAndTheImportEndsWithItsMessage)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows ignores the read-only attribute of a folder: such a folder cannot be made here";
#else
    // As root every folder is writable: then the workstation is played by another user.
    const std::string user = runsAsRoot() ? "nobody" : "";
    if (!user.empty() && !userExists(user))
        GTEST_SKIP() << "the test runs as root and there is no user \"nobody\" to read the folder as";

    TestStore store;
    UnitRegister units(store.records);
    EmployeeRegister employees(store.records);
    const std::string kadry = units.add(Unit{{}, "Gmina", "Łęczyca", "Kadry", "Jan Nowak", "Kierownik", "01-02-2024"});
    const std::string anna = employees.add(kadry, Employee{{}, "Anna", "Łoś", "Inspektor", "1", "", "", "", ""});
    AppraisalRegister(store.records).add(anna, {{"SECTIONDDATE2=", "31-12-2025"}});
    Accounts(store.files).writeUsers({UserAccount{"Ewa", "Bąk", "Referent", "ebak", "TAJNE", "11111111111111", ""}});
    // One file that never had a lock file: the reader cannot make it here and reads without it.
    std::filesystem::remove(store.dir.file("Locks/" + employeesFileName(kadry)));
    TemporaryDataDirectory inputs;
    inputs.write("lista.txt", utf8ToCp1250("Gmina\tŁęczyca\tKadry\tJan Nowak\tKierownik\tJan\tKos\tReferent\t1\t"
                                           "01-02-2010\t15-06-2018\r\n"));
    TemporaryDataDirectory outputs; // where the children write what they say, outside the data directory
    TemporaryDataDirectory programs;
    const std::string worker = user.empty() ? kWorker : reachableCopy(programs, kWorker);
    const std::string adminTool = user.empty() ? kAdmin : reachableCopy(programs, kAdmin);
    const WritesRefused readOnly(store.dir.directory().path());

    ChildProcess browser(worker, {"browse", store.dir.directory().path(), kadry, "EBAK", "tajne"},
                         outputs.file("browse.out"), {outputs.file("browse.err"), user});
    ASSERT_TRUE(browser.waitFor(60000)) << "reading a read-only folder waits for ever";
    const std::vector<std::string> seen = completeLines(outputs.read("browse.out"));
    if (contains(seen, "W"))
        GTEST_SKIP() << "the folder stays writable for this user (a capability that overrides permissions)";
    ASSERT_EQ(browser.wait(), 0) << outputs.read("browse.err");
    EXPECT_TRUE(contains(seen, "U " + kadry + " Kadry"));
    EXPECT_TRUE(contains(seen, "E " + anna + " Łoś 1")) << "with the appraisal";
    EXPECT_TRUE(contains(seen, "R " + anna + " Inspektor"));
    EXPECT_TRUE(contains(seen, "L accepted"));

    ChildProcess admin(adminTool, {"--data-dir", store.dir.directory().path(), "import", inputs.file("lista.txt")},
                       outputs.file("admin.out"), {outputs.file("admin.err"), user});
    if (!admin.waitFor(60000)) {
        admin.kill();
        FAIL() << "the admin tool waits for ever on a folder it may not write";
    }
    EXPECT_EQ(admin.wait(), 2);
    const std::string message = outputs.read("admin.err");
    EXPECT_NE(message.find("Nie można otworzyć pliku Session.cou: brak uprawnień"), std::string::npos) << message;
    EXPECT_EQ(message.find("przeterminowanie"), std::string::npos) << "it ends before the timeout warning";
    EXPECT_EQ(outputs.read("admin.out"), "");
#endif
}
