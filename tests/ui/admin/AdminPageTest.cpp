// The administration page: the account grid against Users.dat, the rights and units of an account,
// the administrator's password, the data check, and who may open the page at all.
#include "MainWindowFixture.h"
#include "ModalDriver.h"

#include "CommandBar.h"
#include "DataCheck.h"
#include "NavigationPanel.h"
#include "dialogs/TaviroCheckCode.h"
#include "pages/AdminPage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <filesystem>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;
using taviro::ui::TaviroAdminPanel;
using taviro::ui::TTaviroMainForm;

namespace {

const std::vector<std::string> kUnits = {"{", "ID=000003", "CELLNAME=Kadry",      "CELLDELETE=0", "}", "",
                                         "{", "ID=000007", "CELLNAME=Stary",      "CELLDELETE=1", "}", "",
                                         "{", "ID=000017", "CELLNAME=Księgowość", "CELLDELETE=0", "}", ""};

UserAccount account(std::string first, std::string identifier, std::string rights = std::string(14, '0'),
                    std::string units = {})
{
    return {std::move(first), "Nowak", "referent", std::move(identifier), "tajne", std::move(rights), std::move(units)};
}

class AdminPage : public ::testing::Test
{
protected:
    AdminPage() : files(fixture.dir.directory(), notifier), accounts(files) {}

    void start(const std::vector<UserAccount>& users = {})
    {
        fixture.dir.write("Cell.dat", storedText(kUnits));
        if (!users.empty())
            accounts.writeUsers(users);
        accounts.writeAdministratorPassword("TAVIRO");
        fixture.start();
        ASSERT_TRUE(fixture.window->isStarted());
    }

    void openPage()
    {
        fixture.window->commands()->menuItem(Command::Administration)->trigger();
        page = qobject_cast<TaviroAdminPanel*>(fixture.window->page(ui::PageId::Admin));
        ASSERT_NE(page, nullptr);
    }

    QLineEdit* edit(int number) const
    {
        return page->findChild<QLineEdit*>(QStringLiteral("TaviroAdminEdit%1").arg(number));
    }
    QPushButton* button(const char* name) const { return page->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QCheckBox* box(const char* name) const { return page->findChild<QCheckBox*>(QString::fromLatin1(name)); }
    QListWidget* checklist() const { return page->unitChecklist(); }
    QTableView* grid() const { return page->grid(); }
    int rowCount() const { return page->model().rowCount(); }
    int currentRow() const { return grid()->currentIndex().row(); }
    QString header(int column) const
    {
        return page->model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    void setCurrentCell(int row, int column) { grid()->setCurrentIndex(page->model().index(row, column)); }

    void fill(const QString& first, const QString& surname, const QString& position, const QString& identifier,
              const QString& password)
    {
        edit(1)->setText(first);
        edit(2)->setText(surname);
        edit(3)->setText(position);
        edit(4)->setText(identifier);
        edit(5)->setText(password);
        edit(6)->setText(password);
    }

    QStringList row(int r) const
    {
        QStringList cells;
        for (int column = 0; column < TaviroAdminPanel::Model::ColumnCount; ++column)
            cells << page->cell(r, column);
        return cells;
    }

    // Presses "Sprawdź dane", looks at the page with whileRunning before the result can be back, and
    // waits for the check's thread; the lines of the report dialog, if it came.
    QStringList checkData(const std::function<void()>& whileRunning = {})
    {
        QStringList report;
        fixture.onDialog = [&report](QDialog& dialog) {
            if (auto* form = qobject_cast<ui::TTaviroCheckForm*>(&dialog)) {
                EXPECT_TRUE(form->report()->isReadOnly());
                report = form->report()->toPlainText().split(QLatin1Char('\n'));
            }
        };
        button("TaviroAdminCheckButton")->click();
        if (whileRunning)
            whileRunning();
        EXPECT_TRUE(MainWindowFixture::waitFor([this] { return !page->isDataCheckRunning(); }));
        fixture.onDialog = nullptr;
        return report;
    }

    // What taviro-admin check prints for the data directory.
    QStringList toolReport()
    {
        const DataCheckReport report = checkDataDirectory(files);
        QStringList lines;
        for (const DataFinding& finding : report.findings)
            lines << QString::fromStdString(findingText(finding));
        return lines << QString::fromStdString(checkSummary(report));
    }

    MainWindowFixture fixture;
    CountingNotifier notifier;
    SharedFileAccess files;
    Accounts accounts;
    TaviroAdminPanel* page = nullptr;
};

} // namespace

TEST_F(AdminPage, OpensWithTheAccountsOfTheUserFileAndLocksTheCommands)
{
    start({account("Anna", "anowak", "10100000000001", "000017#"), account("Jan", "jkowal", "01000000000000")});
    openPage();
    EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::Admin);
    EXPECT_TRUE(fixture.window->commands()->isLocked());
    EXPECT_FALSE(fixture.window->navigation()->isEnabled());
    EXPECT_EQ(page->titleStrip()->text(), "Administracja programem");

    ASSERT_EQ(rowCount(), 2);
    ASSERT_EQ(page->model().columnCount(), 8);
    EXPECT_EQ(header(0), "Lp.");
    EXPECT_EQ(header(4), "Identyfikator");
    EXPECT_EQ(header(5), "Hasło");
    EXPECT_TRUE(grid()->isColumnHidden(6));
    EXPECT_TRUE(grid()->isColumnHidden(7));
    EXPECT_EQ(grid()->columnWidth(0), 28);
    EXPECT_EQ(grid()->columnWidth(4), 147);
    EXPECT_EQ(row(0), (QStringList{"1", "Anna", "Nowak", "referent", "anowak", "tajne", "10100000000001", "000017#"}));
    EXPECT_EQ(row(1).first(), "2");

    // The first row is current and shown in the fields; both password edits hold the password.
    EXPECT_EQ(currentRow(), 0);
    EXPECT_EQ(edit(1)->text(), "Anna");
    EXPECT_EQ(edit(4)->text(), "anowak");
    EXPECT_EQ(edit(5)->text(), "tajne");
    EXPECT_EQ(edit(6)->text(), "tajne");
    EXPECT_EQ(edit(5)->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(box("TaviroAdminACheckBox1")->isChecked());
    EXPECT_FALSE(box("TaviroAdminACheckBox2")->isChecked());
    EXPECT_TRUE(box("TaviroAdminACheckBox3")->isChecked());
    EXPECT_TRUE(box("TaviroAdminXCheckBox1")->isChecked());
    EXPECT_EQ(page->rightsFromCheckBoxes(), "10100000000001");

    // Live units only, in file order, with their identifiers; the account's unit is checked.
    ASSERT_EQ(checklist()->count(), 2);
    EXPECT_EQ(checklist()->item(0)->text(), "Kadry");
    EXPECT_EQ(checklist()->item(1)->data(Qt::UserRole).toInt(), 17);
    EXPECT_EQ(checklist()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(checklist()->item(1)->checkState(), Qt::Checked);
    EXPECT_TRUE(button("TaviroAdminCorectButton")->isEnabled()) << "a complete account can be corrected at once";
    EXPECT_TRUE(button("TaviroAdminDeleteButton")->isEnabled());

    // Moving down with the keyboard shows the second account.
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(edit(1)->text(), "Jan");
    EXPECT_TRUE(box("TaviroAdminACheckBox2")->isChecked());
    EXPECT_FALSE(box("TaviroAdminXCheckBox1")->isChecked());
    EXPECT_EQ(checklist()->item(1)->checkState(), Qt::Unchecked);

    button("TaviroAdminCloseButton")->click();
    EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::Start);
    EXPECT_FALSE(fixture.window->commands()->isLocked());
    EXPECT_TRUE(fixture.window->navigation()->isEnabled());
}

TEST_F(AdminPage, OnlyTheAdministratorMayOpenIt)
{
    fixture.loginAnswer = {true, QStringLiteral("anowak"), QStringLiteral("tajne")};
    start({account("Anna", "anowak", std::string(14, '1'), "000003#000017#")});
    fixture.window->commands()->menuItem(Command::Administration)->trigger();
    EXPECT_EQ(fixture.dialogs.informations, QStringList{"Funkcja dostępna tylko dla administratora."});
    EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::Start);
    EXPECT_FALSE(fixture.window->commands()->isLocked());

    // Should the page come up all the same, the data check is neither offered nor run.
    fixture.window->showPage(ui::PageId::Admin);
    page = qobject_cast<TaviroAdminPanel*>(fixture.window->page(ui::PageId::Admin));
    EXPECT_FALSE(button("TaviroAdminCheckButton")->isVisible());
    EXPECT_FALSE(button("TaviroAdminCheckButton")->isEnabled());
    emit page->checkDataClicked();
    EXPECT_FALSE(page->isDataCheckRunning());
    EXPECT_EQ(fixture.dialogs.informations.size(), 2);
    EXPECT_EQ(fixture.dialogs.informations.last(), "Funkcja dostępna tylko dla administratora.");
}

TEST_F(AdminPage, AddCorrectAndSetRightsWriteTheUserFile)
{
    start();
    openPage();
    // No user file yet: one empty placeholder row, nothing to delete or to set.
    EXPECT_EQ(rowCount(), 1);
    EXPECT_FALSE(button("TaviroAdminDeleteButton")->isEnabled());
    EXPECT_FALSE(button("TaviroAdminRightButton")->isEnabled());
    EXPECT_FALSE(button("TaviroAdminAddButton")->isEnabled());

    fill(" Anna ", "Nowak", "", "anowak", "Tajne");
    EXPECT_TRUE(button("TaviroAdminAddButton")->isEnabled()) << "the position may be empty";
    edit(6)->setText("tajne");
    EXPECT_FALSE(button("TaviroAdminAddButton")->isEnabled()) << "the repetition must match letter for letter";
    edit(6)->setText("Tajne");
    box("TaviroAdminBCheckBox2")->setChecked(true);
    box("TaviroAdminXCheckBox1")->setChecked(true);
    checklist()->item(1)->setCheckState(Qt::Checked);
    button("TaviroAdminAddButton")->click();

    std::vector<UserAccount> stored = accounts.readUsers();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0], (UserAccount{"Anna", "Nowak", "", "anowak", "Tajne", "00000100000001", "000017#"}));
    EXPECT_EQ(rowCount(), 1) << "the first account takes the placeholder row";
    EXPECT_EQ(page->cell(0, 0), "1");
    EXPECT_TRUE(button("TaviroAdminDeleteButton")->isEnabled());

    // The same data again: a second account with the same identifier, in a new last row.
    checklist()->item(0)->setCheckState(Qt::Checked);
    button("TaviroAdminAddButton")->click();
    stored = accounts.readUsers();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].identifier, "anowak");
    EXPECT_EQ(stored[1].units, "000003#000017#");
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(page->cell(1, 0), "2");

    // Popraw changes the fields, the rights and the units of the current row only.
    setCurrentCell(0, 1);
    edit(2)->setText("Kowalska ");
    box("TaviroAdminCCheckBox3")->setChecked(true);
    button("TaviroAdminCorectButton")->click();
    stored = accounts.readUsers();
    EXPECT_EQ(stored[0], (UserAccount{"Anna", "Kowalska", "", "anowak", "Tajne", "00000100001001", "000017#"}));
    EXPECT_EQ(stored[1].surname, "Nowak");
    EXPECT_EQ(page->cell(0, 0), "1");

    // Ustaw takes only the rights and the units; a changed field stays out of the file.
    setCurrentCell(1, 1);
    edit(1)->setText("Zmieniona");
    box("TaviroAdminACheckBox4")->setChecked(true);
    checklist()->item(1)->setCheckState(Qt::Unchecked);
    button("TaviroAdminRightButton")->click();
    stored = accounts.readUsers();
    EXPECT_EQ(stored[1], (UserAccount{"Anna", "Nowak", "", "anowak", "Tajne", "00010100000001", "000003#"}));
    EXPECT_EQ(edit(1)->text(), "Anna") << "the row is shown again as stored";

    // The rights apply at once: the rights check reads the file.
    EXPECT_TRUE(accounts.hasRight("ANOWAK", "A4"));
    EXPECT_EQ(accounts.unitAccessList("anowak"), "000017#") << "the first line of an identifier gives the units";
}

TEST_F(AdminPage, DeletingRenumbersAndKeepsAPlaceholderRow)
{
    start({account("Anna", "a"), account("Jan", "j"), account("Ewa", "e"), account("Piotr", "p")});
    openPage();

    // A middle row: the rows below move up and are numbered again.
    setCurrentCell(1, 1);
    button("TaviroAdminDeleteButton")->click();
    ASSERT_EQ(rowCount(), 3);
    EXPECT_EQ(row(1).mid(0, 2), (QStringList{"2", "Ewa"}));
    EXPECT_EQ(row(2).mid(0, 2), (QStringList{"3", "Piotr"}));
    EXPECT_EQ(currentRow(), 0) << "the row above the deleted one";
    EXPECT_EQ(edit(1)->text(), "Anna");
    std::vector<UserAccount> stored = accounts.readUsers();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[1].firstName, "Ewa");

    // The last row.
    setCurrentCell(2, 1);
    button("TaviroAdminDeleteButton")->click();
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(edit(1)->text(), "Ewa");
    EXPECT_EQ(accounts.readUsers().size(), 2u);

    // The first row, then the only one left.
    setCurrentCell(0, 1);
    button("TaviroAdminDeleteButton")->click();
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(row(0).mid(0, 2), (QStringList{"1", "Ewa"}));
    button("TaviroAdminDeleteButton")->click();

    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(row(0), QStringList(8, QString()));
    EXPECT_FALSE(button("TaviroAdminDeleteButton")->isEnabled());
    EXPECT_FALSE(button("TaviroAdminRightButton")->isEnabled());
    EXPECT_TRUE(edit(1)->text().isEmpty());
    EXPECT_TRUE(edit(5)->text().isEmpty());
    // The file holds one line of seven empty fields.
    stored = accounts.readUsers();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0], UserAccount{});

    // Opened again, the placeholder line is no account either.
    button("TaviroAdminCloseButton")->click();
    openPage();
    EXPECT_EQ(rowCount(), 1);
    EXPECT_FALSE(button("TaviroAdminDeleteButton")->isEnabled());
}

TEST_F(AdminPage, ChangingTheAdministratorPassword)
{
    start();
    openPage();
    QPushButton* change = button("TaviroAdminChangeButton");
    edit(7)->setText("zle");
    edit(8)->setText("nowe");
    edit(9)->setText("nowe");
    EXPECT_FALSE(change->isEnabled()) << "a wrong present password";

    edit(7)->setText(" taviro"); // compared trimmed and without regard to letter case
    EXPECT_TRUE(change->isEnabled());
    edit(9)->setText("Nowe");
    EXPECT_FALSE(change->isEnabled()) << "the repetition must match as typed";
    edit(9)->setText("nowe");
    change->click();

    EXPECT_TRUE(edit(7)->text().isEmpty());
    EXPECT_TRUE(edit(8)->text().isEmpty());
    EXPECT_FALSE(change->isEnabled());
    EXPECT_EQ(accounts.login("administrator", "nowe").outcome, LoginResult::Outcome::Accepted);
    EXPECT_EQ(accounts.login("Administrator", "TAVIRO").outcome, LoginResult::Outcome::Refused);
    EXPECT_EQ(accounts.login("Administrator", "nowe").password, "NOWE") << "stored upper-cased";

    // The session keeps the password of the login: a second change needs the old one.
    edit(7)->setText("nowe");
    edit(8)->setText("x");
    edit(9)->setText("x");
    EXPECT_FALSE(change->isEnabled());
    edit(7)->setText("TAVIRO");
    EXPECT_TRUE(change->isEnabled());
}

TEST_F(AdminPage, FieldsTakeTheLineMarksButNothingTheFilesCannotHold)
{
    start();
    openPage();
    // The account files store every field pair-encoded: "#" and "$" are plain characters there.
    for (const int number : {1, 4, 5, 8}) {
        edit(number)->clear();
        typeText(edit(number), QStringLiteral("Ż#a$Жb"));
        EXPECT_EQ(edit(number)->text(), "Ż#a$b") << number;
    }
    edit(1)->clear();
    QApplication::clipboard()->setText(QStringLiteral("Jan\nKowalski"));
    edit(1)->paste();
    EXPECT_EQ(edit(1)->text(), "Jan Kowalski") << "one line";
}

TEST_F(AdminPage, AFailedWriteLeavesTheGridAsTheFileIs)
{
    start({account("Anna", "a")});
    openPage();
    FailingFiles failing(relativeName({"Temp", "Users.dat.new"}), 0);
    fixture.window->services().files().setFaultInjector(&failing);
    fill("Jan", "Nowak", "", "j", "x");
    button("TaviroAdminAddButton")->click();
    fixture.window->services().files().setFaultInjector(nullptr);

    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_TRUE(fixture.dialogs.informations[0].startsWith("Wystąpił błąd podczas pracy z plikami danych."));
    EXPECT_EQ(rowCount(), 1) << "the account that was not stored is not shown";
    EXPECT_EQ(page->cell(0, 1), "Anna");
    EXPECT_EQ(accounts.readUsers().size(), 1u);
    EXPECT_TRUE(fixture.window->commands()->isLocked()) << "the page stays open";
}

TEST_F(AdminPage, TheDataCheckReportsWhatTheAdminToolReports)
{
    fixture.dir.write("Cell.cou", counterBytes(5)); // below the unit 000017 of Cell.dat
    start({account("Anna", "anowak", std::string(14, '0'), "000017#")});
    openPage();
    QPushButton* check = button("TaviroAdminCheckButton");
    EXPECT_EQ(check->text(), "Sprawdź dane");
    EXPECT_TRUE(check->isVisible());
    button("TaviroAdminImportButton")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), check);

    const QStringList report = checkData([&] {
        // Until the result is back: the button off, a busy cursor, and the page saying what goes on.
        EXPECT_FALSE(check->isEnabled());
        EXPECT_EQ(page->cursor().shape(), Qt::BusyCursor);
        EXPECT_EQ(page->findChild<QLabel*>(QStringLiteral("TaviroAdminLabel2"))->text(), "Sprawdzanie danych…");
    });
    EXPECT_EQ(report, toolReport());
    ASSERT_EQ(report.size(), 2) << report.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(report[0].startsWith("Cell.cou: licznik wskazuje 000005, a najwyższy użyty identyfikator to 000017"))
        << report[0].toStdString();
    EXPECT_TRUE(report[1].endsWith("znaleziono 1 problem.")) << report[1].toStdString();
    EXPECT_TRUE(check->isEnabled());
    EXPECT_EQ(page->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(counterBytes(5), fixture.dir.read("Cell.cou")) << "the page repairs nothing";
}

TEST_F(AdminPage, ACleanDirectoryPassesAndALeftPageGetsNoReport)
{
    fixture.dir.write("Cell.cou", counterBytes(18));
    start();
    openPage();
    const QStringList report = checkData();
    ASSERT_EQ(report.size(), 1) << report.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(report[0].endsWith(": nie znaleziono problemów.")) << report[0].toStdString();

    // Left while it runs: the check ends without a report, and the page offers it again.
    fixture.shownDialogs.clear();
    button("TaviroAdminCheckButton")->click();
    button("TaviroAdminCloseButton")->click();
    ASSERT_TRUE(MainWindowFixture::waitFor([this] { return !page->isDataCheckRunning(); }));
    EXPECT_TRUE(fixture.shownDialogs.isEmpty());
    openPage();
    EXPECT_TRUE(button("TaviroAdminCheckButton")->isEnabled());
}

TEST_F(AdminPage, ADataCheckThatCannotReadShowsTheFileErrorAndThePageGoesOn)
{
    start();
    openPage();
    std::filesystem::create_directory(fixture.dir.file("Users.dat")); // a folder where the file should be
    EXPECT_TRUE(checkData().isEmpty()) << "no report";
    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_TRUE(fixture.dialogs.informations[0].startsWith("Wystąpił błąd podczas pracy z plikami danych."))
        << fixture.dialogs.informations[0].toStdString();
    EXPECT_TRUE(button("TaviroAdminCheckButton")->isEnabled());
    EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::Admin);
}
