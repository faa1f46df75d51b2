// Moving an employee to another unit through the move dialog.
#include "MainWindowFixture.h"

#include "CommandBar.h"
#include "MoveController.h"
#include "NavigationPanel.h"
#include "dialogs/TaviroMoveCode.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;
using taviro::ui::TTaviroMoveForm;

namespace {

const std::vector<std::string> kUnits = {"{", "ID=000001", "CELLNAME=Kadry",      "CELLDELETE=0", "}", "",
                                         "{", "ID=000002", "CELLNAME=Księgowość", "CELLDELETE=0", "}", "",
                                         "{", "ID=000003", "CELLNAME=Stary",      "CELLDELETE=1", "}", "",
                                         "{", "ID=000004", "CELLNAME=Obca",       "CELLDELETE=0", "}", ""};
const std::vector<std::string> kPeople = {
    "{", "ID=000004", "PERSONNAME=Anna", "PERSONSURNAME=Nowak",    "PERSONDELETE=0", "}", "",
    "{", "ID=000005", "PERSONNAME=Jan",  "PERSONSURNAME=Kowalski", "PERSONDELETE=0", "}", ""};
const std::vector<std::string> kAppraisals = {"{", "ID=000009", "SECTIONDDATE2=30-06-2026", "DELETE=0", "}", ""};

QStringList itemsOf(const QComboBox* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->itemText(i);
    return names;
}

class MoveEmployee : public ::testing::Test
{
protected:
    void start()
    {
        fixture.dir.write("Cell.dat", storedText(kUnits));
        fixture.dir.write("Pe000001.dat", storedText(kPeople));
        fixture.dir.write("Gr000004.dat", storedText(kAppraisals));
        fixture.start();
        ASSERT_TRUE(fixture.window->isStarted());
    }

    QTreeWidget* tree() const { return fixture.window->navigation()->tree(); }

    // Selects Anna Nowak in the first unit and runs the move command.
    void moveAnna()
    {
        tree()->setCurrentItem(tree()->topLevelItem(0));
        fixture.window->commands()->menuItem(Command::MoveEmployee)->trigger();
    }

    void pickUnit(int index)
    {
        QComboBox* list = fixture.window->navigation()->unitList();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    MainWindowFixture fixture;
};

} // namespace

TEST_F(MoveEmployee, TheEmployeeGoesWithTheAppraisalsToTheChosenUnit)
{
    start();
    QStringList offered;
    bool okEnabledAtFirst = true;
    fixture.onDialog = [&](QDialog& dialog) {
        auto* list = dialog.findChild<QComboBox*>("TaviroMoveComboBox");
        auto* ok = dialog.findChild<QPushButton*>("TaviroMoveOkButton");
        offered = itemsOf(list);
        okEnabledAtFirst = ok->isEnabled();
        list->setCurrentIndex(0);
        ok->click();
    };
    moveAnna();

    EXPECT_EQ(fixture.shownDialogs, QStringList{"Przenoszenie pracownika"});
    EXPECT_EQ(fixture.commandsLockedDuringDialog, std::vector<bool>{true});
    EXPECT_EQ(offered, (QStringList{"Księgowość", "Obca"})) << "not the unit itself, not a deleted one";
    EXPECT_FALSE(okEnabledAtFirst);
    EXPECT_TRUE(fixture.dialogs.informations.isEmpty());

    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Jan Kowalski");
    EXPECT_EQ(tree()->currentItem(), nullptr);
    EXPECT_FALSE(fixture.window->commands()->isLocked());
    EXPECT_FALSE(fixture.window->commands()->menuItem(Command::MoveEmployee)->isEnabled());

    pickUnit(1);
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Anna Nowak");
    ASSERT_EQ(tree()->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->child(0)->text(0), "Ocena z dnia 30-06-2026");
    EXPECT_EQ(fixture.dir.read("Gr000004.dat"), storedText(kAppraisals)) << "the appraisals are not touched";
}

TEST_F(MoveEmployee, CancellingChangesNothing)
{
    start();
    const std::string source = fixture.dir.read("Pe000001.dat");
    fixture.onDialog = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("TaviroMoveComboBox")->setCurrentIndex(1);
        dialog.findChild<QPushButton*>("TaviroMoveCancelButton")->click();
    };
    moveAnna();
    EXPECT_EQ(fixture.dir.read("Pe000001.dat"), source);
    EXPECT_FALSE(fixture.dir.exists("Pe000004.dat"));
    EXPECT_EQ(tree()->topLevelItemCount(), 2);
    EXPECT_FALSE(fixture.window->commands()->isLocked());
}

TEST_F(MoveEmployee, TheTargetsAreNotLimitedByTheUsersUnits)
{
    CountingNotifier notifier;
    SharedFileAccess files(fixture.dir.directory(), notifier);
    std::string rights(14, '0');
    rights[13] = '1'; // X1
    Accounts(files).writeUsers({{"Anna", "Nowak", "", "anowak", "tajne", rights, "000001#"}});
    fixture.loginAnswer = {true, QStringLiteral("anowak"), QStringLiteral("tajne")};
    start();
    ASSERT_EQ(fixture.window->navigation()->unitList()->count(), 1);
    fixture.onDialog = [](QDialog& dialog) {
        auto* list = dialog.findChild<QComboBox*>("TaviroMoveComboBox");
        ASSERT_EQ(itemsOf(list), (QStringList{"Księgowość", "Obca"}));
        list->setCurrentIndex(1);
        dialog.findChild<QPushButton*>("TaviroMoveOkButton")->click();
    };
    moveAnna();
    // The employee has left this user's view; the new unit's file was made for the occasion.
    EXPECT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_NE(fixture.dir.read("Pe000004.dat").find("PERSONNAME=Anna"), std::string::npos);
}

TEST_F(MoveEmployee, AnEmployeeMovedMeanwhileElsewhereIsReported)
{
    start();
    fixture.onDialog = [this](QDialog& dialog) {
        // Another workstation moves Anna away while the dialog is open.
        fixture.dir.write("Pe000001.dat", storedText(std::vector<std::string>(kPeople.begin() + 7, kPeople.end())));
        dialog.findChild<QComboBox*>("TaviroMoveComboBox")->setCurrentIndex(0);
        dialog.findChild<QPushButton*>("TaviroMoveOkButton")->click();
    };
    moveAnna();
    EXPECT_EQ(fixture.dialogs.informations, QStringList{ui::MoveController::employeeGoneText()});
    EXPECT_FALSE(fixture.dir.exists("Pe000002.dat"));
    ASSERT_EQ(tree()->topLevelItemCount(), 1) << "the tree shows the file as it is now";
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Jan Kowalski");
    EXPECT_FALSE(fixture.window->commands()->isLocked());
}

TEST(MoveDialog, OffersTheGivenUnitsAndClosesOnEscape)
{
    TTaviroMoveForm form({{QStringLiteral("Kadry"), 1}, {QStringLiteral("Obca"), 4}});
    EXPECT_EQ(form.windowTitle(), "Przenoszenie pracownika");
    auto* list = form.findChild<QComboBox*>("TaviroMoveComboBox");
    auto* ok = form.findChild<QPushButton*>("TaviroMoveOkButton");
    EXPECT_EQ(ok->text(), "Przenieś");
    EXPECT_TRUE(form.findChild<QPushButton*>("TaviroMoveCancelButton")->isDefault());
    form.show();
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_FALSE(form.targetUnitId());
    list->setCurrentIndex(1);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(form.targetUnitId(), 4);
    QTest::keyPress(list, Qt::Key_Escape);
    QTest::keyRelease(list, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}
