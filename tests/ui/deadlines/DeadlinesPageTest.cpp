// The deadlines page through the real widgets: the right it needs, the units the user may see, the
// order and colours, the filters, going to an employee, printing and the export.
#include "MainWindowFixture.h"

#include "NavigationPanel.h"
#include "PageId.h"
#include "pages/DeadlinesPage.h"

#include "EntryControls.h"

#include "Accounts.h"
#include "SharedFiles.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;
using ui::Command;

namespace {

// On the fixed day 05-03-2026: Kos is overdue, Lis due within 30 days, Nowak on time (Kadry);
// Świeży has been in the position for two months (Płace).
class DeadlinesPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fixture.dir.write("Cell.dat", recordFile({unitRecord("000001", "Kadry"), unitRecord("000002", "Płace")}));
        fixture.dir.write("Pe000001.dat", recordFile({clericalEmployeeRecord("000011", "Nowak", "01-01-2010"),
                                                      clericalEmployeeRecord("000012", "Kos", "01-01-2010"),
                                                      clericalEmployeeRecord("000013", "Lis", "01-01-2010")}));
        fixture.dir.write("Pe000002.dat", recordFile({clericalEmployeeRecord("000021", "Świeży", "01-01-2026")}));
        fixture.dir.write("Gr000011.dat", recordFile({gradedAppraisalRecord("000101", "10-04-2025", "3")}));
        fixture.dir.write("Gr000012.dat", recordFile({gradedAppraisalRecord("000102", "15-02-2024", "4")}));
        fixture.dir.write("Gr000013.dat", recordFile({gradedAppraisalRecord("000103", "20-03-2024", "2")}));
    }

    // A user with the given rights who may see only Kadry.
    void logInAs(const std::string& rights)
    {
        CountingNotifier notifier;
        SharedFileAccess files(fixture.dir.directory(), notifier);
        Accounts(files).writeUsers({{"Anna", "Nowak", "", "anowak", "tajne", rights, "000001#"}});
        fixture.loginAnswer = {true, QStringLiteral("anowak"), QStringLiteral("tajne")};
    }

    void open()
    {
        fixture.start();
        fixture.window->commands()->menuItem(Command::Deadlines)->trigger();
    }

    ui::DeadlinesPage& page() { return *static_cast<ui::DeadlinesPage*>(fixture.window->page(ui::PageId::Deadlines)); }
    bool pageShown() const { return fixture.window->session().currentPage == ui::PageId::Deadlines; }

    QStringList column(int column)
    {
        QStringList cells;
        for (int row = 0; row < page().grid()->rowCount(); ++row)
            cells << page().grid()->item(row, column)->text();
        return cells;
    }

    MainWindowFixture fixture;
};

} // namespace

TEST_F(DeadlinesPage, AUserWithoutTheRightToViewAppraisalsIsRefused)
{
    std::string rights(14, '1');
    rights[9] = '0'; // C2
    logInAs(rights);
    open();
    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_EQ(fixture.dialogs.informations[0], "Brak dostępu do funkcji dla użytkownika - anowak.");
    EXPECT_FALSE(pageShown());
    EXPECT_FALSE(fixture.window->commands()->isLocked());
}

TEST_F(DeadlinesPage, ShowsTheUsersUnitsByDueDateWithTheLateInColourAndFilters)
{
    logInAs(std::string(14, '1'));
    open();
    ASSERT_TRUE(pageShown());
    EXPECT_TRUE(fixture.window->commands()->isLocked()) << "the page holds the commands";
    EXPECT_EQ(column(ui::DeadlinesPage::NameColumn), (QStringList{"Jan Kos", "Jan Lis", "Jan Nowak"}))
        << "Płace is not the user's";
    EXPECT_EQ(column(ui::DeadlinesPage::StateColumn), (QStringList{"po terminie", "w ciągu 30 dni", "w terminie"}));
    EXPECT_EQ(column(ui::DeadlinesPage::DueColumn), (QStringList{"15-02-2026", "20-03-2026", "10-04-2027"}));
    const QColor overdue = page().grid()->item(0, ui::DeadlinesPage::NameColumn)->background().color();
    const QColor onTime = page().grid()->item(2, ui::DeadlinesPage::NameColumn)->background().color();
    EXPECT_NE(overdue, onTime);

    page().actionFilter()->click();
    EXPECT_EQ(column(ui::DeadlinesPage::NameColumn), (QStringList{"Jan Kos", "Jan Lis"}));
    EXPECT_EQ(column(ui::DeadlinesPage::NumberColumn), (QStringList{"1", "2"}));
    EXPECT_EQ(page().filterText(), "Komórka: wszystkie; tylko wymagające działania");
}

TEST_F(DeadlinesPage, TheUnitFilterAndGoingToAnEmployee)
{
    open(); // the administrator sees both units
    ASSERT_EQ(page().grid()->rowCount(), 4);
    widgets::TaviroComboBox* units = page().unitFilter();
    ASSERT_EQ(units->count(), 3);
    units->setCurrentIndex(units->findText("Płace"));
    EXPECT_EQ(column(ui::DeadlinesPage::NameColumn), (QStringList{"Jan Świeży"}));
    EXPECT_EQ(column(ui::DeadlinesPage::StateColumn), (QStringList{"brak oceny"}));

    emit page().grid()->cellDoubleClicked(0, ui::DeadlinesPage::NameColumn);
    EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::Start);
    EXPECT_FALSE(fixture.window->commands()->isLocked());
    ui::NavigationPanel& navigation = *fixture.window->navigation();
    EXPECT_EQ(navigation.unitList()->currentText(), "Płace");
    EXPECT_EQ(navigation.selectedEmployeeId(), 21);
    EXPECT_TRUE(fixture.window->commands()->menuItem(Command::NewAppraisal)->isEnabled());
}

TEST_F(DeadlinesPage, PrintsTheShownRowsInLandscapeAndExportsThemAsCsv)
{
    const QString csvPath = QString::fromStdString(fixture.dir.file("eksport.csv"));
    fixture.environment.chooseExportFile = [&](QWidget*, const QString& suggested) {
        EXPECT_TRUE(suggested.endsWith("Terminy ocen.csv"));
        return csvPath;
    };
    open();
    page().actionFilter()->click();
    page().printButton()->click();
    const RecordingCanvas& printed = fixture.printTarget.printed;
    ASSERT_EQ(printed.jobTitles(), QStringList{"Terminy ocen okresowych"});
    EXPECT_EQ(printed.operations.front().width, 1) << "landscape";
    const QStringList texts = printed.texts();
    EXPECT_TRUE(texts.contains("Komórka: wszystkie; tylko wymagające działania"));
    EXPECT_TRUE(texts.contains("Stan na dzień 05-03-2026"));
    EXPECT_TRUE(texts.contains("Jan Kos"));
    EXPECT_FALSE(texts.contains("Jan Nowak")) << "filtered out";
    EXPECT_TRUE(texts.contains("Strona 1 z 1"));

    page().exportButton()->setFocus();
    QTest::keyClick(page().exportButton(), Qt::Key_Return); // Enter presses the button that has the focus
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"
                                 "Komórka;Imię;Nazwisko;"));
    EXPECT_EQ(bytes.count("\r\n"), 3) << "the heading and the two rows shown";
    EXPECT_EQ(fixture.dialogs.informations.size(), 1) << "the user is told where the file went";
}
