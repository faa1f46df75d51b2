// taviro-admin check in-process: what it writes and how it exits, on a clean office, on a damaged
// one and where the check cannot be made.
#include "AdminCommands.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

using namespace taviro;
using namespace taviro::test;

namespace {

std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

class CheckCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write("Cell.dat", recordFile({unitRecord("000001", "Kadry"), unitRecord("000002", "Płace")}));
        dir.write("Cell.cou", std::string("\x03\x00\x00\x00", 4));
    }

    int run(std::vector<std::string> arguments = {})
    {
        arguments.insert(arguments.begin(), {"--data-dir", dir.directory().path(), "check"});
        std::istringstream in;
        out.str({});
        err.str({});
        admin::Console console{in, out, err, false, nullptr};
        return admin::runAdminTool(arguments, console);
    }

    TemporaryDataDirectory dir;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(CheckCommand, ReportsOneLinePerFindingThenTheSummaryAndChangesNothing)
{
    ASSERT_EQ(run(), 0) << err.str();
    EXPECT_EQ(out.str(), "Sprawdzono 2 pliki: nie znaleziono problemów.\n");

    dir.write("Cell.cou", std::string("\x02\x00\x00\x00", 4));
    // An old leftover of a rewrite: every other command clears it away first, the check only tells.
    const std::string leftover = relativeName({"Temp", "Cell00000004.tem"});
    dir.write(leftover, "half a rewrite");
    std::filesystem::last_write_time(pathOf(dir.file(leftover)),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(30));
    const std::string cou = dir.read("Cell.cou");

    ASSERT_EQ(run(), 1) << err.str();
    EXPECT_EQ(out.str(), "Cell.cou: licznik wskazuje 000002, a najwyższy użyty identyfikator to 000002 w pliku "
                         "Cell.dat (wiersz 8); następne losowanie wydałoby identyfikator, który już jest w użyciu\n" +
                             leftover +
                             ": pozostałość po pracy programu sprzed 1 dnia; jeśli żadne stanowisko nie jest "
                             "uruchomione, można ją usunąć\n"
                             "Sprawdzono 2 pliki: znaleziono 2 problemy.\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(dir.read("Cell.cou"), cou);
    EXPECT_TRUE(dir.exists(leftover));
    // --repair tells the findings, each repair, then the check of what it left.
    ASSERT_EQ(run({"--repair"}), 0) << err.str();
    EXPECT_NE(out.str().find("Naprawa:\nCell.cou: licznik ustawiony na 000003"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Temp: usunięto pozostałości po pracy programu, których nikt nie używał: 1\n"
                             "Po naprawie:\nSprawdzono 2 pliki: nie znaleziono problemów.\n"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(dir.read("Cell.cou"), std::string("\x03\x00\x00\x00", 4));
    EXPECT_FALSE(dir.exists(leftover));
}

TEST_F(CheckCommand, ExitsWithTwoWhenTheCheckCannotBeMade)
{
    std::filesystem::remove(pathOf(dir.file("Cell.dat")));
    std::filesystem::create_directory(pathOf(dir.file("Cell.dat"))); // a folder where the file should be
    EXPECT_EQ(run(), 2);
    EXPECT_EQ(err.str().rfind("Nie można było sprawdzić danych: ", 0), 0u) << err.str();
    EXPECT_EQ(out.str(), "");

    EXPECT_EQ(run({"--repair"}), 2) << "nothing is repaired where the check cannot be made";
    EXPECT_EQ(run({"--fix"}), admin::kUsage);
}
