// The appraisal sheet from end to end through the real widgets: a new sheet filled from the unit and
// the employee, criteria chosen on B1, levels on D, the save; continue, new from, view, delete; and
// a save over a record that changed meanwhile.
#include "MainWindowFixture.h"

#include "EntryControls.h"
#include "FieldNote.h"
#include "ModalDriver.h"

#include "CommandBar.h"
#include "NavigationPanel.h"
#include "sheet/SheetController.h"

#include "RecordKeys.h"
#include "TextCodec.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;
using taviro::ui::PageId;

namespace {

RecordLines unitLines()
{
    return {"{",
            "ID=000001",
            "CELLFIRM=Urząd Gminy Lipno",
            "CELLCITY=Lipno",
            "CELLNAME=Referat Organizacyjny",
            "CELLPERSON=Anna Maria Nowak",
            "CELLPOSITION=Sekretarz Gminy",
            "CELLDATE=15-03-2020",
            "CELLDELETE=0",
            "}",
            ""};
}

RecordLines employeeLines()
{
    return {"{",
            "ID=000005",
            "PERSONNAME=Małgorzata",
            "PERSONSURNAME=Wiśniewska",
            "PERSONPOSITION=Inspektor",
            "PERSONEMPLOY=1",
            "PERSONDATE1=01-04-2009",
            "PERSONDATE2=15-09-2018",
            "PERSONDUTY1=Kadry#$Płace",
            "PERSONDUTY2=",
            "PERSONDELETE=0",
            "}",
            ""};
}

// An earlier appraisal: overall level "Dobrym", drawn up on 28-06-2024.
RecordLines earlierAppraisal()
{
    return {"{", "ID=000100", "SECTIONDDATE2=30-06-2024", "SECTIONDGRADE=3", "SECTIONDDATE3=28-06-2024", "DELETE=0",
            "}", ""};
}

class SheetRoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fixture.dir.write("Cell.dat", recordFile({unitLines()}));
        fixture.dir.write("Pe000001.dat", recordFile({employeeLines()}));
        fixture.dir.write("Gr000005.dat", recordFile({earlierAppraisal()}));
        fixture.start();
        ASSERT_TRUE(fixture.window->isStarted());
    }

    template <typename T = QWidget> T* control(const QString& name)
    {
        T* found = fixture.window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString text(const QString& name) { return control<QLineEdit>(name)->text(); }
    void click(const QString& name) { control<QPushButton>(name)->click(); }
    void run(Command command) { fixture.window->commands()->menuItem(command)->trigger(); }
    PageId page() const { return fixture.window->session().currentPage; }
    QTreeWidget* tree() const { return fixture.window->navigation()->tree(); }
    void selectEmployee() { tree()->setCurrentItem(tree()->topLevelItem(0)); }
    void selectAppraisal(int index) { tree()->setCurrentItem(tree()->topLevelItem(0)->child(index)); }
    std::string appraisals() const { return cp1250ToUtf8(fixture.dir.read("Gr000005.dat")); }

    // Makes the row of a list of page B1 its choice, as a click would.
    void choose(const char* list, int row)
    {
        auto* widget = control<QListWidget>(QString::fromLatin1(list));
        widget->setCurrentRow(row);
        QTest::keyRelease(widget, Qt::Key_Down); // the release alone moves nothing
    }
    // On page B1: the criterion at that row of the group, added to the chosen list.
    void addCriterion(int group, int row)
    {
        choose("TaviroGradeB1ListBox1", group);
        choose("TaviroGradeB1ListBox2", row);
        click("TaviroGradeB1AddButton");
    }
    void setLevel(int row, int level)
    {
        control<QTableWidget>("TaviroGradeDStringGrid1")->setCurrentCell(row, 1);
        auto* chooser = control<QComboBox>("TaviroGradeDComboBox1");
        chooser->setCurrentIndex(level);
        emit chooser->activated(level); // as the user's pick
    }

    // A new sheet from the employee, criteria chosen, levels given, saved from page D.
    void saveNewSheet()
    {
        selectEmployee();
        run(Command::NewAppraisal);
        click("TaviroGradeANextButton");
        click("TaviroGradeBSelectButton");
        addCriterion(3, 10); // "Sumienność", group "Osobowe"
        addCriterion(2, 6);  // "Sprawność", group "Efektywnościowe"
        click("TaviroGradeB1OkButton");
        click("TaviroGradeBNextButton");
        control<QPlainTextEdit>("TaviroGradeCMemo1")->setPlainText("Sumienna i terminowa.");
        click("TaviroGradeCNextButton");
        setLevel(0, 3);
        setLevel(1, 2);
        click("TaviroGradeDRunButton");
        click("TaviroGradeDOkButton");
    }

    MainWindowFixture fixture;
};

} // namespace

TEST_F(SheetRoad, ANewSheetIsFilledFromTheUnitTheEmployeeAndTheEarlierAppraisal)
{
    selectEmployee();
    run(Command::NewAppraisal);
    ASSERT_EQ(page(), PageId::GradeA);
    EXPECT_TRUE(fixture.window->commands()->isLocked());
    EXPECT_EQ(fixture.window->focusWidget(), control("TaviroGradeAEdit1"));
    EXPECT_EQ(text("TaviroGradeAEdit1"), "Urząd Gminy Lipno");
    EXPECT_EQ(text("TaviroGradeAEdit2"), "Małgorzata");
    EXPECT_EQ(text("TaviroGradeAEdit4"), "Referat Organizacyjny");
    EXPECT_EQ(text("TaviroGradeAEdit6"), "Pozytywna");
    EXPECT_EQ(text("TaviroGradeAEdit7"), "28-06-2024");
    EXPECT_EQ(text("TaviroGradeCEdit1"), "Anna");
    EXPECT_EQ(text("TaviroGradeCEdit2"), "Maria Nowak");
    EXPECT_EQ(text("TaviroGradeDEdit1"), "Małgorzata Wiśniewska");
    EXPECT_EQ(control<QTableWidget>("TaviroGradeDStringGrid1")->rowCount(), 6) << "the six rows of a new grid";
    EXPECT_EQ(control<QPlainTextEdit>("TaviroGradeB1Memo1")->toPlainText(), "Kadry\nPłace");
}

TEST_F(SheetRoad, CriteriaAreChosenOnB1WithTheDuplicateAndTheLimitOfEleven)
{
    selectEmployee();
    run(Command::NewAppraisal);
    click("TaviroGradeANextButton");
    click("TaviroGradeBSelectButton");
    ASSERT_EQ(page(), PageId::GradeB1);
    addCriterion(0, 9);  // "Sumienność" in "Ustawowe"
    addCriterion(3, 10); // the same criterion in "Osobowe"
    EXPECT_EQ(fixture.dialogs.informations, QStringList{"Wybrane kryterium juz znajduje się na liście."});
    for (int row = 0; row < 10; ++row)
        addCriterion(2, row); // "Efektywnościowe": eleven criteria
    auto* chosen = control<QListWidget>("TaviroGradeB1ListBox3");
    EXPECT_EQ(chosen->count(), 11);
    choose("TaviroGradeB1ListBox2", 0);
    EXPECT_FALSE(control<QPushButton>("TaviroGradeB1AddButton")->isEnabled()) << "eleven is the most";

    // Back on B with an additional criterion: the grid has the eleven and the additional one.
    click("TaviroGradeB1OkButton");
    EXPECT_EQ(control<QListWidget>("TaviroGradeBListBox2")->count(), 11);
    typeText(control<QLineEdit>("TaviroGradeBEdit1"), QStringLiteral("Obsługa kasy"));
    click("TaviroGradeBNextButton");
    auto* grid = control<QTableWidget>("TaviroGradeDStringGrid1");
    ASSERT_EQ(grid->rowCount(), 12);
    EXPECT_EQ(grid->item(11, 1)->text(), "Obsługa kasy");

    // Clearing it again takes its row away.
    click("TaviroGradeCBackButton");
    auto* additional = control<QLineEdit>("TaviroGradeBEdit1");
    additional->selectAll();
    QTest::keyClick(additional, Qt::Key_Delete);
    click("TaviroGradeBNextButton");
    EXPECT_EQ(grid->rowCount(), 11);
}

TEST_F(SheetRoad, SavedContinuedMadeFromViewedAndDeleted)
{
    saveNewSheet();
    EXPECT_EQ(page(), PageId::Start);
    EXPECT_FALSE(fixture.window->commands()->isLocked());
    const std::string saved = appraisals();
    EXPECT_NE(saved.find("ID=000001\r\nSECTIONAFIRM=Urząd Gminy Lipno\r\n"), std::string::npos);
    EXPECT_NE(saved.find("SECTIONBCRITERION1=Sumienność\r\nSECTIONBCRITERION2=Sprawność\r\nSECTIONBCRITERION3=\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find("SECTIONDCRINAME1=Sumienność\r\nSECTIONDCRIVAL1=3\r\nSECTIONDCRINAME2=Sprawność\r\n"
                         "SECTIONDCRIVAL2=2\r\nSECTIONDPERSON="),
              std::string::npos);
    EXPECT_NE(saved.find("SECTIONDGRADE=2\r\n"), std::string::npos) << "(3 + 2) / 2 proposes Zadowalającym";
    EXPECT_NE(saved.find("GRADEVAR=\r\nDELETE=0\r\n}\r\n\r\n"), std::string::npos);
    ASSERT_EQ(tree()->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(tree()->topLevelItem(0)->child(1)->text(0), "Ocena z dnia 05-03-2026");
    EXPECT_EQ(tree()->currentItem(), tree()->topLevelItem(0)->child(1));

    // New from it: criteria, opinion and the rows without levels; "Zadowalająca" on A.
    run(Command::NewAppraisalFrom);
    EXPECT_EQ(text("TaviroGradeAEdit6"), "Zadowalająca");
    EXPECT_EQ(control<QListWidget>("TaviroGradeBListBox2")->count(), 2);
    EXPECT_EQ(control<QPlainTextEdit>("TaviroGradeCMemo1")->toPlainText(), "Sumienna i terminowa.");
    EXPECT_EQ(control<QTableWidget>("TaviroGradeDStringGrid1")->item(0, 2)->text(), "");
    click("TaviroGradeAOkButton");
    ASSERT_EQ(tree()->topLevelItem(0)->childCount(), 3);

    // Continue the middle one: rewritten in place between the same neighbours.
    selectAppraisal(1);
    run(Command::ContinueAppraisal);
    control<QLineEdit>("TaviroGradeAEdit8")->setText("Skępe");
    click("TaviroGradeAOkButton");
    const std::string continued = appraisals();
    const auto first = continued.find("ID=000100");
    const auto middle = continued.find("ID=000001\r\n");
    const auto last = continued.find("ID=000002\r\n");
    EXPECT_TRUE(first < middle && middle < last);
    EXPECT_NE(continued.find("SECTIONACITY=Skępe", middle), std::string::npos);
    EXPECT_LT(continued.find("SECTIONACITY=Skępe", middle), last);

    // View: "Zamknij" and no "Zapisz", and the pages still go through with "Dalej".
    run(Command::ViewAppraisal);
    EXPECT_EQ(control<QPushButton>("TaviroGradeACancelButton")->text(), "Zamknij");
    EXPECT_TRUE(control<QPushButton>("TaviroGradeAOkButton")->isHidden());
    EXPECT_TRUE(control<QLineEdit>("TaviroGradeAEdit1")->isReadOnly());
    click("TaviroGradeANextButton");
    EXPECT_EQ(page(), PageId::GradeB);
    click("TaviroGradeBCancelButton");
    EXPECT_EQ(appraisals(), continued) << "closing the view writes nothing";

    // Delete: declined, then accepted.
    selectAppraisal(1);
    fixture.dialogs.answers = {false};
    run(Command::DeleteAppraisal);
    EXPECT_EQ(fixture.dialogs.questions.back(), ui::SheetController::deleteQuestionText());
    EXPECT_EQ(appraisals(), continued);
    selectAppraisal(1);
    fixture.dialogs.answers = {true};
    run(Command::DeleteAppraisal);
    EXPECT_EQ(tree()->topLevelItem(0)->childCount(), 2);
    EXPECT_NE(appraisals().find("SECTIONECITY=Lipno\r\nGRADEVAR=\r\nDELETE=1"), std::string::npos);
}

TEST_F(SheetRoad, ASaveOverARecordChangedMeanwhileIsOfferedAsANewAppraisal)
{
    selectAppraisal(0);
    run(Command::ContinueAppraisal);
    // Another workstation deletes the appraisal while the sheet is open.
    const std::string deleted = recordFile({{"{", "ID=000100", "SECTIONDDATE2=30-06-2024", "SECTIONDGRADE=3",
                                             "SECTIONDDATE3=28-06-2024", "DELETE=1", "}", ""}});
    fixture.dir.write("Gr000005.dat", deleted);

    fixture.dialogs.answers = {false};
    click("TaviroGradeAOkButton");
    EXPECT_EQ(fixture.dialogs.questions.back(), ui::SheetController::changedMeanwhileText());
    EXPECT_EQ(page(), PageId::GradeA) << "given up, the sheet stays open";
    EXPECT_EQ(fixture.dir.read("Gr000005.dat"), deleted);

    fixture.dialogs.answers = {true};
    click("TaviroGradeAOkButton");
    EXPECT_EQ(page(), PageId::Start);
    EXPECT_EQ(fixture.dir.read("Gr000005.dat").substr(0, deleted.size()), deleted) << "the deletion stays";
    ASSERT_EQ(tree()->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->child(0)->text(0), "Ocena z dnia 30-06-2024");
}

TEST_F(SheetRoad, TheInterviewNotesAreOnePerAppraisalAndSamplesFreshCopies)
{
    fixture.dir.write("GradeA1.wzo", "{\\rtf1 notatki}");
    fixture.dir.write("GradeA2.wzo", "{\\rtf1 przyklad}");
    selectEmployee();
    run(Command::NewAppraisal);
    click("TaviroGradeANextButton");
    click("TaviroGradeBEditButton");
    ASSERT_EQ(page(), PageId::GradeB2);
    click("TaviroGradeB2OpenButton");
    click("TaviroGradeB2OpenButton");
    ASSERT_EQ(fixture.shell.documents.size(), 2u);
    EXPECT_EQ(fixture.shell.documents[0].fileName, "Do000001.rtf");
    EXPECT_EQ(fixture.shell.documents[1].fileName, "Do000001.rtf") << "one number for the appraisal";
    EXPECT_EQ(fixture.dir.read("Do000001.rtf"), "{\\rtf1 notatki}");

    click("TaviroGradeB2ViewButton");
    click("TaviroGradeB2ViewButton");
    ASSERT_EQ(fixture.shell.documents.size(), 4u);
    EXPECT_NE(fixture.shell.documents[2].fileName, fixture.shell.documents[3].fileName);
    EXPECT_TRUE(fixture.dir.exists("Temp/" + fixture.shell.documents[3].fileName.toStdString()));

    // Saved, the sheet keeps the name; deleted by hand, the notes are made again under it.
    click("TaviroGradeB2OkButton");
    click("TaviroGradeBOkButton");
    EXPECT_NE(appraisals().find("GRADEVAR=Do000001.rtf\r\n"), std::string::npos);
    std::filesystem::remove(fixture.dir.file("Do000001.rtf"));
    selectAppraisal(1);
    run(Command::ContinueAppraisal);
    click("TaviroGradeANextButton");
    click("TaviroGradeBEditButton");
    click("TaviroGradeB2OpenButton");
    EXPECT_EQ(fixture.shell.documents.back().fileName, "Do000001.rtf");
    EXPECT_EQ(fixture.dir.read("Do000001.rtf"), "{\\rtf1 notatki}");
}

TEST_F(SheetRoad, ADateOutsideTheYearsThatCanBeStoredStopsTheSaveAtItsField)
{
    const std::string before = fixture.dir.read("Gr000005.dat");
    selectEmployee();
    run(Command::NewAppraisal);
    auto* picker = control<widgets::TaviroDatePicker>("TaviroGradeADateTimePicker1");
    picker->setDate(QDate(503, 3, 5)); // as a slip of the keyboard leaves it
    click("TaviroGradeANextButton");
    click("TaviroGradeBNextButton");
    click("TaviroGradeCNextButton");
    click("TaviroGradeDOkButton");
    EXPECT_EQ(page(), PageId::GradeA) << "the page of the date, with the sheet still open";
    EXPECT_TRUE(widgets::shownFieldNote().startsWith("Data 05-03-0503 jest spoza dopuszczalnego zakresu"));
    EXPECT_EQ(fixture.dir.read("Gr000005.dat"), before);
}
