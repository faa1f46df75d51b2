// taviro-admin due on a seeded data directory: the table, the unit and date filters, the CSV file
// and the refusals.
#include "AdminCommands.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace taviro;
using namespace taviro::test;

namespace {

class DueCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write("Cell.dat", recordFile({unitRecord("000001", "Kadry"), unitRecord("000002", "Płace"),
                                          unitRecord("000003", "Stara", true)}));
        dir.write("Pe000001.dat", recordFile({clericalEmployeeRecord("000011", "Nowak", "01-01-2010"),
                                              clericalEmployeeRecord("000012", "Kos", "01-01-2010")}));
        dir.write("Pe000002.dat", recordFile({clericalEmployeeRecord("000021", "Świeży", "01-01-2026")}));
        dir.write("Gr000011.dat", recordFile({gradedAppraisalRecord("000101", "10-04-2025", "3")}));
        dir.write("Gr000012.dat", recordFile({gradedAppraisalRecord("000102", "15-02-2024", "1")}));
    }

    int run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--data-dir", dir.directory().path(), "due"});
        std::istringstream in;
        out.str({});
        err.str({});
        admin::Console console{in, out, err, false, &clock};
        return admin::runAdminTool(arguments, console);
    }

    TemporaryDataDirectory dir;
    FixedClock clock; // 05-03-2026
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(DueCommand, ListsEveryLiveEmployeeByDueDateAndFiltersByUnitAndDay)
{
    ASSERT_EQ(run({}), 0) << err.str();
    EXPECT_EQ(out.str(), "Komórka | Pracownik | Stanowisko | Ostatnia ocena | Poziom | Termin | Stan\n"
                         "Kadry | Kos Jan | Referent; kasa | 15-02-2024 | Niezadowalająca | 15-05-2024 – "
                         "15-08-2024 | po terminie\n"
                         "Kadry | Nowak Jan | Referent; kasa | 10-04-2025 | Dobra | 10-04-2027 | w terminie\n"
                         "Płace | Świeży Jan | Referent; kasa |  |  |  | brak oceny\n");

    ASSERT_EQ(run({"--unit", "2"}), 0);
    EXPECT_EQ(out.str(), "Komórka | Pracownik | Stanowisko | Ostatnia ocena | Poziom | Termin | Stan\n"
                         "Płace | Świeży Jan | Referent; kasa |  |  |  | brak oceny\n");

    ASSERT_EQ(run({"--before", "01-01-2027"}), 0);
    EXPECT_EQ(out.str(), "Komórka | Pracownik | Stanowisko | Ostatnia ocena | Poziom | Termin | Stan\n"
                         "Kadry | Kos Jan | Referent; kasa | 15-02-2024 | Niezadowalająca | 15-05-2024 – "
                         "15-08-2024 | po terminie\n");
}

TEST_F(DueCommand, WritesTheCsvOfThePageAndRefusesWhatItCannotTake)
{
    const std::string csv = dir.file("raport.csv");
    ASSERT_EQ(run({"--unit", "000001", "--csv", csv}), 0) << err.str();
    EXPECT_EQ(out.str(), "Zapisano 2 wiersze do pliku " + csv + ".\n");
    const std::string bytes = dir.read("raport.csv");
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBFKomórka;Imię;Nazwisko;", 0), 0u);
    EXPECT_NE(bytes.find("Kadry;Jan;Nowak;\"Referent; kasa\";10-04-2025;Dobra;10-04-2027;w terminie;\r\n"),
              std::string::npos);

    EXPECT_EQ(run({"--unit", "3"}), 1) << "a deleted unit";
    EXPECT_EQ(err.str(), "Nie ma komórki o identyfikatorze 000003.\n");
    EXPECT_EQ(run({"--before", "2027-01-01"}), 1);
    EXPECT_EQ(err.str(), "Data w opcji --before musi mieć postać DD-MM-RRRR: 2027-01-01\n");
    EXPECT_EQ(run({"--csv"}), 1);
    EXPECT_EQ(run({"--everything"}), 1);
}
