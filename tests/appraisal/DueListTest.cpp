// The list of deadlines read from the files: deleted appraisals and employees left out, the order,
// the units asked for, and the CSV a spreadsheet opens.
#include "DueList.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

class DueList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store.dir.write("Cell.dat", recordFile({unitRecord("000001", "Kadry"), unitRecord("000002", "Płace")}));
        store.dir.write("Pe000001.dat", recordFile({clericalEmployeeRecord("000011", "Nowak", "01-01-2010"),
                                                    clericalEmployeeRecord("000012", "Usunięty", "01-01-2010", true),
                                                    clericalEmployeeRecord("000013", "Kos", "01-01-2010")}));
        store.dir.write("Pe000002.dat", recordFile({clericalEmployeeRecord("000021", "Świeży", "01-01-2026")}));
        // Nowak's last live appraisal is the positive one of 2025; the later negative one is deleted.
        store.dir.write("Gr000011.dat", recordFile({gradedAppraisalRecord("000101", "10-04-2025", "3", false),
                                                    gradedAppraisalRecord("000102", "01-02-2026", "1", true)}));
        store.dir.write("Gr000013.dat", recordFile({gradedAppraisalRecord("000103", "15-02-2024", "4", false)}));
    }

    std::vector<DueRow> rows(const std::function<bool(const UnitEntry&)>& visible = [](const UnitEntry&) {
        return true;
    })
    {
        return dueList(store.records, {2026, 3, 5}, {}, visible);
    }

    TestStore store;
};

} // namespace

TEST_F(DueList, LiveEmployeesSortedByTheirDueDateWithDeletedRecordsLeftOut)
{
    const std::vector<DueRow> list = rows();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].employee.surname, "Kos");
    EXPECT_EQ(list[0].deadline.state, DueState::Overdue) << "two years after 15-02-2024 have passed";
    EXPECT_EQ(list[1].employee.surname, "Nowak");
    EXPECT_EQ(list[1].deadline.latest, (Date{2027, 4, 10})) << "the deleted negative appraisal does not count";
    EXPECT_EQ(list[2].employee.surname, "Świeży");
    EXPECT_EQ(list[2].deadline.state, DueState::NotYetDue);
    EXPECT_EQ(rows([](const UnitEntry& unit) { return unit.id == "000002"; }).size(), 1u);
}

TEST_F(DueList, TheCsvOpensInASpreadsheetAsItIs)
{
    const std::string csv = dueListCsv(rows());
    EXPECT_EQ(csv, "\xEF\xBB\xBF"
                   "Komórka;Imię;Nazwisko;Stanowisko;Ostatnia ocena;Poziom;Termin;Stan;Niezakończone\r\n"
                   "Kadry;Jan;Kos;\"Referent; kasa\";15-02-2024;Bardzo dobra;15-02-2026;po terminie;\r\n"
                   "Kadry;Jan;Nowak;\"Referent; kasa\";10-04-2025;Dobra;10-04-2027;w terminie;\r\n"
                   "Płace;Jan;Świeży;\"Referent; kasa\";;;;brak oceny;\r\n");
}
