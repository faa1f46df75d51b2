// The employee commands through the employee page: what is written to the unit's Pe file, and how
// the employee tree follows.
#include "RegisterFixture.h"

#include "pages/PersonPage.h"

#include <QClipboard>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;

namespace {

const std::vector<std::string> kUnit = {"{", "ID=000005", "CELLFIRM=Gmina", "CELLNAME=Kadry", "CELLDELETE=0", "}", ""};

std::vector<std::string> completeEmployee(const std::string& id, const std::string& employ, const std::string& date1,
                                          const std::string& duty1)
{
    return {"{",
            "ID=" + id,
            "PERSONNAME=Jan",
            "PERSONSURNAME=Kos",
            "PERSONPOSITION=Referent",
            "PERSONEMPLOY=" + employ,
            "PERSONDATE1=" + date1,
            "PERSONDATE2=01-09-2015",
            "PERSONDUTY1=" + duty1,
            "PERSONDUTY2=",
            "PERSONDELETE=0",
            "}",
            ""};
}

class EmployeePage : public RegisterPageTest
{
protected:
    void startWith(const std::vector<std::string>& people)
    {
        fixture.dir.write("Cell.dat", storedText(kUnit));
        if (!people.empty())
            fixture.dir.write("Pe000005.dat", storedText(people));
        start();
    }
    void selectEmployee(int index) { tree()->setCurrentItem(tree()->topLevelItem(index)); }

    QLineEdit* edit(int number)
    {
        return control<QLineEdit>(QStringLiteral("TaviroPersonEdit%1").arg(number).toLatin1().constData());
    }
    QPlainTextEdit* memo(int number)
    {
        return control<QPlainTextEdit>(QStringLiteral("TaviroPersonMemo%1").arg(number).toLatin1().constData());
    }
    QDateEdit* picker(int number)
    {
        return control<QDateEdit>(QStringLiteral("TaviroPersonDateTimePicker%1").arg(number).toLatin1().constData());
    }
    QRadioButton* appointment() { return control<QRadioButton>("TaviroPersonRadioButton1"); }
    QRadioButton* contract() { return control<QRadioButton>("TaviroPersonRadioButton2"); }
    QPushButton* ok() { return control<QPushButton>("TaviroPersonOkButton"); }
    QPushButton* cancel() { return control<QPushButton>("TaviroPersonCancelButton"); }
    QString title() { return control<QLabel>("TaviroPersonTitlePanel")->text(); }

    void fillNames(const char* first, const char* surname, const char* position)
    {
        QTest::keyClicks(edit(1), first);
        QTest::keyClicks(edit(2), surname);
        QTest::keyClicks(edit(3), position);
    }
};

} // namespace

TEST_F(EmployeePage, ANewEmployeeIsWrittenInFieldOrderAndSelectedInTheTree)
{
    fixture.dir.write("Person.hlp", "Dane pracownika.");
    startWith({});
    run(Command::NewEmployee);
    EXPECT_EQ(currentPage(), ui::PageId::Person);
    EXPECT_EQ(title(), "Nowy pracownik");
    EXPECT_EQ(control<QTextEdit>("TaviroPersonMemo3")->toPlainText(), "Dane pracownika.");
    EXPECT_TRUE(appointment()->isChecked());
    EXPECT_EQ(picker(1)->date(), todayDate());
    EXPECT_EQ(window().focusWidget(), edit(1));

    EXPECT_FALSE(ok()->isEnabled());
    QTest::keyClicks(edit(1), " Jan ");
    QTest::keyClicks(edit(2), "Kos");
    EXPECT_FALSE(ok()->isEnabled()) << "the position is needed too";
    QTest::keyClicks(edit(3), "Referent");
    EXPECT_TRUE(ok()->isEnabled());
    contract()->click();
    picker(1)->setDate(QDate(2010, 4, 1));
    picker(2)->setDate(QDate(2015, 9, 1));
    ok()->click();

    EXPECT_EQ(fileText("Pe000005.dat"), "{\nID=000001\nPERSONNAME=Jan\nPERSONSURNAME=Kos\nPERSONPOSITION=Referent\n"
                                        "PERSONEMPLOY=0\nPERSONDATE1=01-04-2010\nPERSONDATE2=01-09-2015\n"
                                        "PERSONDUTY1=\nPERSONDUTY2=\nPERSONDELETE=0\n}\n\n");
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_FALSE(window().commands()->isLocked());
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Jan Kos");
    EXPECT_EQ(tree()->currentItem(), tree()->topLevelItem(0));
    EXPECT_EQ(window().navigation()->selectedEmployeeId(), 1);
    EXPECT_TRUE(isEnabled(Command::CorrectEmployee));
    EXPECT_EQ(window().focusWidget(), tree());
}

TEST_F(EmployeePage, AMultiLineDutyComesBackWithItsLineBreaks)
{
    startWith({});
    run(Command::NewEmployee);
    fillNames("Jan", "Kos", "Referent");
    QTest::keyClick(memo(1), Qt::Key_Return); // a leading blank line goes with the trim
    QTest::keyClicks(memo(1), "Prowadzenie akt");
    QTest::keyClick(memo(1), Qt::Key_Return);
    QTest::keyClicks(memo(1), "Archiwum");
    QTest::keyClick(memo(1), Qt::Key_Return);
    EXPECT_EQ(currentPage(), ui::PageId::Person) << "Enter in a memo is a new line";
    ok()->click();
    EXPECT_TRUE(fileHasLine("Pe000005.dat", "PERSONDUTY1=Prowadzenie akt#$Archiwum"));

    selectEmployee(0);
    run(Command::CorrectEmployee);
    EXPECT_EQ(title(), "Poprawianie danych pracownika");
    EXPECT_EQ(memo(1)->toPlainText(), "Prowadzenie akt\nArchiwum");
    memo(2)->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo(2), "Inwentaryzacja");
    ok()->click();
    EXPECT_TRUE(fileHasLine("Pe000005.dat", "PERSONDUTY1=Prowadzenie akt#$Archiwum"));
    EXPECT_TRUE(fileHasLine("Pe000005.dat", "PERSONDUTY2=Inwentaryzacja"));
    EXPECT_EQ(window().focusWidget(), tree());
}

TEST_F(EmployeePage, AnyEmploymentValueButZeroIsAnAppointmentAndIsWrittenBackAsOne)
{
    startWith([] {
        auto lines = completeEmployee("000001", "7", "15-01-2001", "Kadry#$Płace");
        auto second = completeEmployee("000002", "0", "31-02-2001", "");
        lines.insert(lines.end(), second.begin(), second.end());
        return lines;
    }());
    selectEmployee(1);
    run(Command::ViewEmployee);
    EXPECT_TRUE(contract()->isChecked());
    EXPECT_EQ(picker(1)->date(), todayDate()) << "31-02 is no date: the picker keeps today";
    cancel()->click();

    selectEmployee(0);
    run(Command::CorrectEmployee);
    EXPECT_TRUE(appointment()->isChecked());
    EXPECT_FALSE(contract()->isChecked());
    EXPECT_EQ(picker(1)->date(), QDate(2001, 1, 15));
    EXPECT_EQ(picker(2)->date(), QDate(2015, 9, 1));
    ok()->click();
    auto expected = completeEmployee("000001", "1", "15-01-2001", "Kadry#$Płace");
    auto second = completeEmployee("000002", "0", "31-02-2001", "");
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(fixture.dir.read("Pe000005.dat"), storedText(expected)) << "only the corrected record changes";
}

TEST_F(EmployeePage, ViewIsReadOnlyWithSaveHidden)
{
    startWith(completeEmployee("000001", "1", "15-01-2001", "Kadry"));
    const std::string before = fixture.dir.read("Pe000005.dat");
    selectEmployee(0);
    run(Command::ViewEmployee);
    EXPECT_EQ(title(), "Podgląd danych pracownika");
    EXPECT_EQ(edit(2)->text(), "Kos");
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(edit(i)->isReadOnly()) << i;
    EXPECT_TRUE(memo(1)->isReadOnly());
    EXPECT_TRUE(memo(2)->isReadOnly());
    EXPECT_FALSE(appointment()->isEnabled());
    EXPECT_FALSE(contract()->isEnabled());
    EXPECT_FALSE(picker(1)->isEnabled());
    EXPECT_FALSE(picker(2)->isEnabled());
    EXPECT_TRUE(ok()->isHidden());
    EXPECT_EQ(ok()->width(), 0);
    EXPECT_EQ(cancel()->text(), "Zamknij");
    QTest::keyClick(edit(1), Qt::Key_Enter);
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_EQ(fixture.dir.read("Pe000005.dat"), before);
}

TEST_F(EmployeePage, TwoEmployeesOfOneNameAreBothStoredAndListed)
{
    startWith({});
    for (int i = 0; i < 2; ++i) {
        run(Command::NewEmployee);
        fillNames("Jan", "Kos", "Referent");
        ok()->click();
    }
    ASSERT_EQ(tree()->topLevelItemCount(), 2);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Jan Kos");
    EXPECT_EQ(tree()->topLevelItem(1)->text(0), "Jan Kos");
    EXPECT_EQ(tree()->currentItem(), tree()->topLevelItem(1));
    EXPECT_TRUE(fileHasLine("Pe000005.dat", "ID=000001"));
    EXPECT_TRUE(fileHasLine("Pe000005.dat", "ID=000002"));
    EXPECT_TRUE(fixture.dialogs.informations.isEmpty());

    // Renaming the second one changes its own node only.
    run(Command::CorrectEmployee);
    edit(1)->clear();
    QTest::keyClicks(edit(1), "Adam");
    ok()->click();
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Jan Kos");
    EXPECT_EQ(tree()->topLevelItem(1)->text(0), "Adam Kos");
}

TEST_F(EmployeePage, DeletingAnEmployeeLeavesTheAppraisalFile)
{
    auto people = completeEmployee("000001", "1", "15-01-2001", "");
    auto other = completeEmployee("000002", "1", "15-01-2001", "");
    other[2] = "PERSONNAME=Ewa";
    other[3] = "PERSONSURNAME=Lis";
    people.insert(people.end(), other.begin(), other.end());
    const std::string appraisals = storedText({"{", "ID=000009", "SECTIONDDATE2=30-06-2026", "DELETE=0", "}", ""});
    fixture.dir.write("Gr000001.dat", appraisals);
    startWith(people);
    ASSERT_EQ(tree()->topLevelItem(0)->childCount(), 1);
    selectEmployee(0);

    fixture.dialogs.answers = {false};
    run(Command::DeleteEmployee);
    EXPECT_EQ(fixture.dialogs.questions.value(0),
              "UWAGA! Usunięcie pracownika usunie również wszystkie przynależne do niego oceny. Czy jesteś pewien?");
    EXPECT_EQ(tree()->topLevelItemCount(), 2);
    EXPECT_FALSE(window().commands()->isLocked());

    fixture.dialogs.answers = {true};
    run(Command::DeleteEmployee);
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Ewa Lis");
    EXPECT_EQ(tree()->currentItem(), nullptr);
    EXPECT_EQ(fixture.dir.read("Gr000001.dat"), appraisals);
    people[10] = "PERSONDELETE=1";
    EXPECT_EQ(fixture.dir.read("Pe000005.dat"), storedText(people));
    EXPECT_FALSE(window().commands()->isLocked());
    EXPECT_EQ(window().focusWidget(), units());
}

TEST_F(EmployeePage, FieldsAndMemosRefuseWhatTheRecordFileCannotHold)
{
    startWith({});
    run(Command::NewEmployee);
    QTest::keyClicks(edit(1), "Jan#");
    QTest::keyClicks(edit(2), "Kos$");
    EXPECT_EQ(edit(1)->text(), "Jan");
    EXPECT_EQ(edit(2)->text(), "Kos");
    QTest::keyClicks(edit(3), "Referent");

    QTest::keyClicks(memo(1), "a#b$c");
    typeText(memo(1), QStringLiteral("☎ż"));
    EXPECT_EQ(memo(1)->toPlainText(), QStringLiteral("abcż"));
    QGuiApplication::clipboard()->setText(QStringLiteral("\r\nnr #1 ☎ 5$\r\ndwa"));
    memo(1)->paste();
    EXPECT_EQ(memo(1)->toPlainText(), QStringLiteral("abcż\nnr 1  5\ndwa"));
    ok()->click();
    EXPECT_TRUE(fileHasLine("Pe000005.dat", "PERSONDUTY1=abcż#$nr 1  5#$dwa"));
}

TEST_F(EmployeePage, AnImportedNameWithALineBreakMarkIsWrittenBackUnchanged)
{
    auto record = completeEmployee("000001", "1", "15-01-2001", "");
    record[3] = "PERSONSURNAME=Kos#2";
    startWith(record);
    selectEmployee(0);
    run(Command::CorrectEmployee);
    EXPECT_EQ(edit(2)->text(), "Kos#2");
    edit(3)->clear();
    QTest::keyClicks(edit(3), "Inspektor");
    ok()->click();
    record[4] = "PERSONPOSITION=Inspektor";
    EXPECT_EQ(fixture.dir.read("Pe000005.dat"), storedText(record));
}

TEST_F(EmployeePage, AFailedCorrectionIsReportedAndLeavesThePageOpen)
{
    startWith(completeEmployee("000001", "1", "15-01-2001", ""));
    const std::string before = fixture.dir.read("Pe000005.dat");
    FailingFiles failing(window().services().records().temporaryFileName("Pe000005.dat"), 0);
    window().services().files().setFaultInjector(&failing);
    selectEmployee(0);
    run(Command::CorrectEmployee);
    edit(1)->clear();
    QTest::keyClicks(edit(1), "Adam");
    ok()->click();
    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_EQ(currentPage(), ui::PageId::Person);
    EXPECT_EQ(edit(1)->text(), "Adam");
    EXPECT_EQ(fixture.dir.read("Pe000005.dat"), before);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Jan Kos");
    window().services().files().setFaultInjector(nullptr);
    cancel()->click();
    EXPECT_FALSE(window().commands()->isLocked());
}
