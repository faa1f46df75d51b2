// The menus from the keyboard, as a Windows program has them, and the hints of disabled items.
#include "MainWindowFixture.h"

#include "CommandBar.h"
#include "NavigationPanel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;

namespace {

class MenuKeyboard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fixture.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=0", "}", ""}));
        fixture.dir.write("Pe000001.dat", storedText({"{", "ID=000004", "PERSONNAME=Anna", "PERSONSURNAME=Kowalska",
                                                      "PERSONDELETE=0", "}", ""}));
        fixture.start();
        fixture.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fixture.window.get()));
    }
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    QMenuBar* bar() { return fixture.window->menuBar(); }
    QMenu* menu(int index) { return bar()->actions().at(index)->menu(); }
    QTreeWidget* tree() { return fixture.window->navigation()->tree(); }

    MainWindowFixture fixture;
};

} // namespace

TEST_F(MenuKeyboard, F10EntersTheMenuBarAndDownOpensTheFirstMenu)
{
    QWidget* focus = fixture.window->navigation()->unitList();
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F10);
    EXPECT_TRUE(bar()->hasFocus());
    EXPECT_EQ(bar()->activeAction(), bar()->actions().front()) << "the first menu is highlighted";
    EXPECT_FALSE(menu(0)->isVisible()) << "and not yet open";
    // Shown highlighted, so that the user sees where the arrows are.
    const QImage drawn = bar()->grab().toImage();
    const QRect title = bar()->actionGeometry(bar()->actions().front());
    int highlighted = 0;
    for (int x = title.left(); x <= title.right(); ++x)
        highlighted += drawn.pixelColor(x, title.center().y()) == bar()->palette().color(QPalette::Highlight);
    EXPECT_GT(highlighted, title.width() / 4);
    QTest::keyClick(bar(), Qt::Key_Down);
    ASSERT_TRUE(menu(0)->isVisible());
    EXPECT_EQ(menu(0)->title(), "Program");
    QTest::keyClick(menu(0), Qt::Key_Right);
    EXPECT_TRUE(menu(1)->isVisible()) << "the arrows move to the next menu";
    EXPECT_EQ(menu(1)->title(), "Komórki");
}

TEST_F(MenuKeyboard, ATapOfAltEntersTheMenuBarAndAnotherLeavesIt)
{
    QWidget* units = fixture.window->navigation()->unitList();
    units->setFocus();
    QTest::keyPress(units, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(units, Qt::Key_Alt);
    EXPECT_TRUE(bar()->hasFocus());
    EXPECT_EQ(bar()->activeAction(), bar()->actions().front());
    QTest::keyPress(bar(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(bar(), Qt::Key_Alt);
    EXPECT_FALSE(bar()->hasFocus());
    EXPECT_TRUE(units->hasFocus()) << "the focus goes back";
}

TEST_F(MenuKeyboard, AltWithAFirstLetterOpensThatMenuAndTheNextOneOnARepeat)
{
    QWidget* focus = fixture.window->navigation()->unitList();
    QTest::keyClick(focus, Qt::Key_K, Qt::AltModifier);
    ASSERT_TRUE(menu(1)->isVisible());
    EXPECT_EQ(menu(1)->activeAction(), fixture.window->commands()->menuItem(Command::NewUnit))
        << "on its first item, which Enter chooses";
    menu(1)->close();
    QTest::keyClick(focus, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(bar()->activeAction(), menu(0)->menuAction());
    ASSERT_TRUE(menu(0)->isVisible());
    QTest::keyClick(menu(0), Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(menu(2)->isVisible()) << "pressed again in the open menu: the next one with that letter";
    EXPECT_FALSE(menu(0)->isVisible());
    menu(2)->close();
    EXPECT_EQ(menu(0)->title(), "Program");
    EXPECT_TRUE(fixture.window->commands()->menuItem(Command::About)->text() == "O programie")
        << "the captions carry no accelerator letters";
}

TEST_F(MenuKeyboard, ShiftF10AndTheMenuKeyOpenThePopupMenuOfTheFocusedControl)
{
    tree()->setFocus();
    tree()->setCurrentItem(tree()->topLevelItem(0));
    QTest::keyClick(tree(), Qt::Key_F10, Qt::ShiftModifier);
    QMenu* treePopup = fixture.window->commands()->treePopup();
    ASSERT_TRUE(treePopup->isVisible());
    EXPECT_EQ(tree()->currentItem(), tree()->topLevelItem(0)) << "the selection stays";
    QTest::keyClick(treePopup, Qt::Key_Escape);
    EXPECT_FALSE(treePopup->isVisible());

    QWidget* units = fixture.window->navigation()->unitList();
    units->setFocus();
    QTest::keyClick(units, Qt::Key_Menu);
    EXPECT_TRUE(fixture.window->commands()->unitPopup()->isVisible());
}

TEST_F(MenuKeyboard, ADisabledItemShowsItsHintInTheStatusBar)
{
    tree()->setCurrentItem(nullptr);
    QAction* view = fixture.window->commands()->menuItem(Command::ViewEmployee);
    ASSERT_FALSE(view->isEnabled());
    QMenu* employees = menu(2);
    bar()->setActiveAction(employees->menuAction());
    ASSERT_TRUE(employees->isVisible());
    // The mouse comes to rest on it, as a person points at it.
    QTest::mouseMove(employees, employees->actionGeometry(view).center());
    QTest::mouseMove(employees, employees->actionGeometry(view).center() + QPoint(1, 0));
    EXPECT_EQ(employees->activeAction(), view) << "the pointer may rest on it";
    EXPECT_EQ(fixture.window->statusBar()->currentMessage(), "Umożliwia podgląd danych pracownika");
}

TEST_F(MenuKeyboard, AfterADialogTheKeysGoOnInTheNavigationPanel)
{
    tree()->setFocus();
    // Locked around the dialog, the panel lets go of the focus; unlocked, it takes it back.
    fixture.window->commands()->menuItem(Command::About)->trigger();
    ASSERT_EQ(fixture.shownDialogs.size(), 1);
    EXPECT_EQ(fixture.window->focusWidget(), tree());
}
