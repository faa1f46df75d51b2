// The unit commands through the unit page: what is written to Cell.dat, and how the unit list and
// the employee tree follow.
#include "RegisterFixture.h"

#include "pages/CellPage.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;

namespace {

std::vector<std::string> completeUnit(const std::string& id, const std::string& name)
{
    return {"{",
            "ID=" + id,
            "CELLFIRM=Gmina Lipno",
            "CELLCITY=Lipno",
            "CELLNAME=" + name,
            "CELLPERSON=Anna Nowak",
            "CELLPOSITION=Sekretarz",
            "CELLDATE=15-03-2020",
            "CELLDELETE=0",
            "}",
            ""};
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> records)
{
    std::vector<std::string> lines;
    for (const auto& record : records)
        lines.insert(lines.end(), record.begin(), record.end());
    return lines;
}

class UnitPage : public RegisterPageTest
{
protected:
    QLineEdit* edit(int number)
    {
        return control<QLineEdit>(QStringLiteral("TaviroCellEdit%1").arg(number).toLatin1().constData());
    }
    QDateEdit* date() { return control<QDateEdit>("TaviroCellEdit6"); }
    QPushButton* ok() { return control<QPushButton>("TaviroCellOkButton"); }
    QPushButton* cancel() { return control<QPushButton>("TaviroCellCancelButton"); }
    QString title() { return control<QLabel>("TaviroCellTitlePanel")->text(); }
    QStringList listedUnits()
    {
        QStringList names;
        for (int i = 0; i < units()->count(); ++i)
            names << units()->itemText(i);
        return names;
    }
};

} // namespace

TEST_F(UnitPage, ANewUnitNeedsOnlyTheBodyNameAndMayHaveAnEmptyName)
{
    fixture.dir.write("Cell.hlp", "Wpisz dane jednostki.\r\n");
    start();
    run(Command::NewUnit);
    EXPECT_EQ(currentPage(), ui::PageId::Cell);
    EXPECT_EQ(title(), "Nowa komórka organizacyjna");
    EXPECT_TRUE(window().commands()->isLocked());
    EXPECT_FALSE(window().navigation()->isEnabled());
    EXPECT_EQ(control<QTextEdit>("TaviroCellMemo1")->toPlainText().trimmed(), "Wpisz dane jednostki.");
    EXPECT_EQ(date()->date(), todayDate());
    EXPECT_EQ(window().focusWidget(), edit(1));

    EXPECT_FALSE(ok()->isEnabled());
    QTest::keyClicks(edit(3), "Kadry");
    QTest::keyClicks(edit(1), "   ");
    EXPECT_FALSE(ok()->isEnabled()) << "blanks are no body name";
    edit(3)->clear();
    edit(1)->clear();
    QTest::keyClicks(edit(1), "  Gmina Lipno ");
    EXPECT_TRUE(ok()->isEnabled());
    date()->setDate(QDate(2021, 2, 3));
    ok()->click();

    EXPECT_EQ(fileText("Cell.dat"), "{\nID=000001\nCELLFIRM=Gmina Lipno\nCELLCITY=\nCELLNAME=\nCELLPERSON=\n"
                                    "CELLPOSITION=\nCELLDATE=03-02-2021\nCELLDELETE=0\n}\n\n");
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_FALSE(window().commands()->isLocked());
    EXPECT_EQ(listedUnits(), QStringList{""});
    EXPECT_EQ(units()->currentIndex(), 0);
    EXPECT_EQ(window().navigation()->selectedUnitId(), 1);
    EXPECT_TRUE(isEnabled(Command::CorrectUnit));
    EXPECT_EQ(window().focusWidget(), units());
}

TEST_F(UnitPage, ANewUnitIsAddedAtTheEndAndSelectedWithAnEmptyTree)
{
    fixture.dir.write("Cell.dat", storedText(completeUnit("000004", "Kadry")));
    fixture.dir.write("Pe000004.dat",
                      storedText({"{", "ID=000001", "PERSONNAME=Jan", "PERSONSURNAME=Kos", "PERSONDELETE=0", "}", ""}));
    start();
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    run(Command::NewUnit);
    QTest::keyClicks(edit(1), "Gmina Lipno");
    typeText(edit(3), QStringLiteral("Księgowość"));
    ok()->click();
    EXPECT_EQ(listedUnits(), (QStringList{"Kadry", "Księgowość"}));
    EXPECT_EQ(units()->currentIndex(), 1);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(fileHasLine("Cell.dat", "CELLNAME=Księgowość"));
    EXPECT_TRUE(fileHasLine("Cell.dat", "CELLDATE=" + today()));
}

TEST_F(UnitPage, ANameDifferingOnlyInLetterCaseOrBlanksIsRefusedButDiacriticsCount)
{
    fixture.dir.write("Cell.dat",
                      storedText(joined({completeUnit("000001", "Kadry"), completeUnit("000002", "Łąki")})));
    start();
    const std::string before = fixture.dir.read("Cell.dat");
    run(Command::NewUnit);
    QTest::keyClicks(edit(1), "Gmina");
    QTest::keyClicks(edit(3), "  kADRY ");
    ok()->click();
    ASSERT_EQ(fixture.dialogs.informations, QStringList{"Komórka o podanej nazwie już istnieje."});
    EXPECT_EQ(currentPage(), ui::PageId::Cell) << "the page stays open with its input";
    EXPECT_EQ(edit(3)->text(), "  kADRY ");
    EXPECT_EQ(fixture.dir.read("Cell.dat"), before);

    edit(3)->clear();
    typeText(edit(3), QStringLiteral("łĄKI"));
    ok()->click();
    EXPECT_EQ(fixture.dialogs.informations.size(), 2) << "Polish letters are upper-cased too";
    EXPECT_EQ(fixture.dir.read("Cell.dat"), before);

    edit(3)->clear();
    typeText(edit(3), QStringLiteral("Kądry"));
    ok()->click();
    EXPECT_EQ(fixture.dialogs.informations.size(), 2);
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_EQ(listedUnits(), (QStringList{"Kadry", "Łąki", "Kądry"}));
}

TEST_F(UnitPage, CorrectingKeepsTheOwnNameButRefusesAnotherUnitsName)
{
    fixture.dir.write("Cell.dat",
                      storedText(joined({completeUnit("000001", "Kadry"), completeUnit("000002", "Płace")})));
    start();
    units()->setCurrentIndex(1);
    run(Command::CorrectUnit);
    EXPECT_EQ(title(), "Poprawianie danych komórki organizacyjnej");
    EXPECT_EQ(edit(1)->text(), "Gmina Lipno");
    EXPECT_EQ(edit(3)->text(), "Płace");
    EXPECT_EQ(edit(4)->text(), "Anna Nowak");
    EXPECT_EQ(date()->date(), QDate(2020, 3, 15));
    EXPECT_FALSE(edit(3)->isReadOnly());

    edit(3)->clear();
    QTest::keyClicks(edit(3), "KADRY");
    ok()->click();
    EXPECT_EQ(fixture.dialogs.informations, QStringList{"Komórka o podanej nazwie już istnieje."});
    EXPECT_EQ(currentPage(), ui::PageId::Cell);

    edit(3)->clear();
    typeText(edit(3), QStringLiteral("płace "));
    edit(2)->clear();
    typeText(edit(2), QStringLiteral("Łódź"));
    ok()->click();
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_EQ(listedUnits(), (QStringList{"Kadry", "płace"}));
    EXPECT_EQ(units()->currentIndex(), 1);
    auto expected = joined({completeUnit("000001", "Kadry"), completeUnit("000002", "płace")});
    expected[14] = "CELLCITY=Łódź";
    EXPECT_EQ(fixture.dir.read("Cell.dat"), storedText(expected));
}

TEST_F(UnitPage, AnImportedUnitShowsTodayAndGetsItsDateLineWhenCorrected)
{
    fixture.dir.write("Cell.dat", storedText({"{", "ID=000003", "CELLFIRM=Gmina", "CELLCITY=Lipno", "CELLNAME=Kadry #1",
                                              "CELLPERSON=", "CELLPOSITION=", "CELLDELETE=0", "}", ""}));
    start();
    run(Command::ViewUnit);
    EXPECT_EQ(date()->date(), todayDate());
    cancel()->click();

    run(Command::CorrectUnit);
    EXPECT_EQ(edit(3)->text(), "Kadry #1");
    // The "#" the record already holds stays editable around; a new one is refused.
    edit(3)->end(false);
    QTest::keyClicks(edit(3), "0#");
    EXPECT_EQ(edit(3)->text(), "Kadry #10");
    date()->setDate(QDate(2019, 12, 1));
    ok()->click();
    EXPECT_EQ(fixture.dir.read("Cell.dat"),
              storedText({"{", "ID=000003", "CELLFIRM=Gmina", "CELLCITY=Lipno", "CELLNAME=Kadry #10",
                          "CELLPERSON=", "CELLPOSITION=", "CELLDELETE=0", "CELLDATE=01-12-2019", "}", ""}));
}

TEST_F(UnitPage, ViewShowsTheUnitReadOnlyAndEnterJustClosesIt)
{
    fixture.dir.write("Cell.dat", storedText(completeUnit("000001", "Kadry")));
    start();
    const std::string before = fixture.dir.read("Cell.dat");
    run(Command::ViewUnit);
    EXPECT_EQ(title(), "Podgląd danych komórki organizacyjnej");
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(edit(i)->isReadOnly()) << i;
    EXPECT_FALSE(date()->isEnabled());
    EXPECT_EQ(edit(5)->text(), "Sekretarz");
    EXPECT_TRUE(ok()->isHidden());
    EXPECT_EQ(ok()->width(), 0);
    EXPECT_EQ(cancel()->text(), "Zamknij");

    QTest::keyClick(edit(3), Qt::Key_Return);
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_FALSE(window().commands()->isLocked());
    EXPECT_EQ(fixture.dir.read("Cell.dat"), before);

    // The next page opened for a new unit is editable again, with Save back in its place.
    run(Command::NewUnit);
    EXPECT_FALSE(edit(1)->isReadOnly());
    EXPECT_TRUE(edit(1)->text().isEmpty());
    EXPECT_TRUE(date()->isEnabled());
    EXPECT_FALSE(ok()->isHidden());
    EXPECT_EQ(ok()->width(), 75);
    EXPECT_EQ(cancel()->text(), "Rezygnuj");
}

TEST_F(UnitPage, CancelAndHelpWriteNothing)
{
    fixture.dir.write("Cell.dat", storedText(completeUnit("000001", "Kadry")));
    start();
    const std::string before = fixture.dir.read("Cell.dat");
    run(Command::CorrectUnit);
    edit(3)->clear();
    QTest::keyClicks(edit(3), "Inna");
    control<QPushButton>("TaviroCellHelpButton")->click();
    EXPECT_EQ(fixture.shownDialogs, QStringList{"Pomoc"});
    EXPECT_EQ(fixture.commandsLockedDuringDialog, std::vector<bool>{true}) << "still locked by the page";
    EXPECT_EQ(currentPage(), ui::PageId::Cell);
    cancel()->click();
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_FALSE(window().commands()->isLocked());
    EXPECT_EQ(fixture.dir.read("Cell.dat"), before);
    EXPECT_EQ(units()->itemText(0), "Kadry");
}

TEST_F(UnitPage, DeletingTheFirstUnitSelectsTheNextOneAndRefillsTheTree)
{
    fixture.dir.write("Cell.dat", storedText(joined({completeUnit("000001", "Kadry"), completeUnit("000002", "Płace"),
                                                     completeUnit("000003", "Podatki")})));
    const std::string people =
        storedText({"{", "ID=000007", "PERSONNAME=Jan", "PERSONSURNAME=Kos", "PERSONDELETE=0", "}", ""});
    fixture.dir.write("Pe000001.dat", people);
    fixture.dir.write("Pe000002.dat",
                      storedText({"{", "ID=000008", "PERSONNAME=Ewa", "PERSONSURNAME=Lis", "PERSONDELETE=0", "}", ""}));
    start();

    fixture.dialogs.answers = {false};
    run(Command::DeleteUnit);
    ASSERT_EQ(fixture.dialogs.questions.size(), 1);
    EXPECT_EQ(fixture.dialogs.questions[0],
              "UWAGA! Usunięcie komórki organizacyjnej usunie również wszystkich przynależnych pracowników łącznie z "
              "ich ocenami. Czy jesteś pewien?");
    EXPECT_EQ(listedUnits(), (QStringList{"Kadry", "Płace", "Podatki"}));
    EXPECT_FALSE(window().commands()->isLocked());

    fixture.dialogs.answers = {true};
    run(Command::DeleteUnit);
    EXPECT_EQ(listedUnits(), (QStringList{"Płace", "Podatki"}));
    EXPECT_EQ(units()->currentIndex(), 0);
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Ewa Lis");
    EXPECT_FALSE(window().commands()->isLocked());
    EXPECT_EQ(window().focusWidget(), units());
    EXPECT_EQ(fixture.dir.read("Pe000001.dat"), people) << "the employees stay on disk as they were";
    auto expected =
        joined({completeUnit("000001", "Kadry"), completeUnit("000002", "Płace"), completeUnit("000003", "Podatki")});
    expected[8] = "CELLDELETE=1";
    EXPECT_EQ(fixture.dir.read("Cell.dat"), storedText(expected));

    // From the end of the list the one before is selected.
    units()->setCurrentIndex(1);
    fixture.dialogs.answers = {true};
    run(Command::DeleteUnit);
    EXPECT_EQ(listedUnits(), QStringList{"Płace"});
    EXPECT_EQ(units()->currentIndex(), 0);
    EXPECT_EQ(tree()->topLevelItemCount(), 1);
}

TEST_F(UnitPage, DeletingTheOnlyUnitLeavesNoSelectionAndAnEmptyTree)
{
    fixture.dir.write("Cell.dat", storedText(completeUnit("000001", "Kadry")));
    fixture.dir.write("Pe000001.dat",
                      storedText({"{", "ID=000007", "PERSONNAME=Jan", "PERSONSURNAME=Kos", "PERSONDELETE=0", "}", ""}));
    start();
    fixture.dialogs.answers = {true};
    run(Command::DeleteUnit);
    EXPECT_EQ(units()->count(), 0);
    EXPECT_EQ(units()->currentIndex(), -1);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(isEnabled(Command::ViewUnit));
    EXPECT_FALSE(isEnabled(Command::NewEmployee));
    EXPECT_TRUE(isEnabled(Command::NewUnit));
}

TEST_F(UnitPage, AUserWithoutTheDeleteRightIsRefusedAndTheUnitStays)
{
    fixture.dir.write("Cell.dat", storedText(completeUnit("000001", "Kadry")));
    CountingNotifier notifier;
    SharedFileAccess files(fixture.dir.directory(), notifier);
    std::string rights(14, '1');
    rights[3] = '0'; // A4
    Accounts(files).writeUsers({{"Anna", "Nowak", "", "anowak", "tajne", rights, "000001#"}});
    fixture.loginAnswer = {true, QStringLiteral("anowak"), QStringLiteral("tajne")};
    start();
    const std::string before = fixture.dir.read("Cell.dat");
    run(Command::DeleteUnit);
    EXPECT_EQ(fixture.dialogs.informations, QStringList{"Brak dostępu do funkcji dla użytkownika - anowak."});
    EXPECT_TRUE(fixture.dialogs.questions.isEmpty());
    EXPECT_EQ(listedUnits(), QStringList{"Kadry"});
    EXPECT_EQ(fixture.dir.read("Cell.dat"), before);

    run(Command::CorrectUnit); // A3 is held
    EXPECT_EQ(currentPage(), ui::PageId::Cell);
}

TEST_F(UnitPage, AFailedSaveIsReportedAndLeavesThePageOpenWithItsInput)
{
    start();
    FailingFiles failing("Cell.dat", 0);
    window().services().files().setFaultInjector(&failing);
    run(Command::NewUnit);
    QTest::keyClicks(edit(1), "Gmina");
    QTest::keyClicks(edit(3), "Kadry");
    ok()->click();
    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_TRUE(fixture.dialogs.informations[0].startsWith("Wystąpił błąd podczas pracy z plikami danych."));
    EXPECT_EQ(currentPage(), ui::PageId::Cell);
    EXPECT_TRUE(window().commands()->isLocked());
    EXPECT_EQ(edit(3)->text(), "Kadry");
    EXPECT_EQ(units()->count(), 0);

    window().services().files().setFaultInjector(nullptr);
    ok()->click();
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_EQ(listedUnits(), QStringList{"Kadry"});
    EXPECT_TRUE(fileHasLine("Cell.dat", "CELLNAME=Kadry"));
}

TEST_F(UnitPage, FieldsRefuseWhatARecordLineCannotHold)
{
    start();
    run(Command::NewUnit);
    QTest::keyClicks(edit(1), "Gmina #1 $");
    typeText(edit(1), QStringLiteral("☎ż"));
    EXPECT_EQ(edit(1)->text(), QStringLiteral("Gmina 1 ż"));
    const QPalette palette = edit(2)->palette();
    EXPECT_EQ(palette.color(QPalette::Base), QColor(255, 255, 215));
    EXPECT_EQ(date()->palette().color(QPalette::Base), QColor(255, 255, 215));
}

TEST_F(UnitPage, AReadErrorWhenOpeningIsReportedAndTheCommandsComeBack)
{
    fixture.dir.write("Cell.dat", storedText(completeUnit("000001", "Kadry")));
    start();
    FailingFiles failing("Cell.dat", 0, true);
    window().services().files().setFaultInjector(&failing);
    run(Command::CorrectUnit);
    window().services().files().setFaultInjector(nullptr);
    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_TRUE(fixture.dialogs.informations[0].startsWith("Wystąpił błąd podczas pracy z plikami danych."));
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_FALSE(window().commands()->isLocked());
    EXPECT_TRUE(window().navigation()->isEnabled());
}
