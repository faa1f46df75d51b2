// Which commands the selection enables, locking, the rights guard and the small commands.
#include "MainWindowFixture.h"

#include "CommandBar.h"
#include "NavigationPanel.h"
#include "UserOperation.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;

namespace {

const std::vector<std::string> kUnitWithPeople = {"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=0", "}", ""};
const std::vector<std::string> kPeople = {
    "{", "ID=000004", "PERSONNAME=Anna", "PERSONSURNAME=Kowalska", "PERSONDELETE=0", "}", ""};
const std::vector<std::string> kAppraisals = {"{", "ID=000002", "SECTIONDDATE2=30-06-2026", "DELETE=0", "}", ""};

std::set<Command> enabledCommands(const ui::CommandBar& bar)
{
    std::set<Command> enabled;
    for (const ui::CommandInfo& info : ui::commandTable()) {
        bool all = true;
        bool any = false;
        for (QAction* action : bar.copies(info.command)) {
            all = all && action->isEnabled();
            any = any || action->isEnabled();
        }
        EXPECT_EQ(all, any) << info.objectName << ": every copy follows the same rule";
        if (all)
            enabled.insert(info.command);
    }
    return enabled;
}

std::set<QString> enabledToolButtons(const ui::CommandBar& bar)
{
    std::set<QString> enabled;
    for (QToolButton* button : bar.toolBar()->findChildren<QToolButton*>()) {
        if (button->isEnabled() && button->objectName().startsWith("Taviro"))
            enabled.insert(button->objectName());
    }
    return enabled;
}

std::set<QString> enabledSubMenus(const ui::CommandBar& bar)
{
    std::set<QString> enabled;
    for (QMenu* menu : bar.subMenus()) {
        if (menu->menuAction()->isEnabled())
            enabled.insert(menu->title());
    }
    return enabled;
}

const std::set<Command> kAlways = {Command::Administration, Command::Exit,    Command::NewUnit, Command::Deadlines,
                                   Command::Regulations,    Command::Statute, Command::Help,    Command::WebPage,
                                   Command::Mail,           Command::About};

std::set<Command> with(std::set<Command> base, std::initializer_list<Command> more)
{
    base.insert(more);
    return base;
}

class CommandStates : public ::testing::Test
{
protected:
    void startWithData()
    {
        fixture.dir.write("Cell.dat", storedText(kUnitWithPeople));
        fixture.dir.write("Pe000001.dat", storedText(kPeople));
        fixture.dir.write("Gr000004.dat", storedText(kAppraisals));
        fixture.start();
    }
    ui::CommandBar& bar() { return *fixture.window->commands(); }
    QTreeWidget* tree() { return fixture.window->navigation()->tree(); }
    MainWindowFixture fixture;
};

} // namespace

TEST_F(CommandStates, WithNoUnitOnlyTheCommandsThatNeedNothing)
{
    fixture.start();
    EXPECT_EQ(enabledCommands(bar()), kAlways);
    EXPECT_EQ(enabledSubMenus(bar()), (std::set<QString>{"Program", "Komórki", "Oceny", "Dokumenty", "Pomoc"}));
    EXPECT_FALSE(bar().toolButton("TaviroPersonSubMenuToolButton")->isEnabled());
    EXPECT_FALSE(bar().toolButton("TaviroGradeSubMenuToolButton")->isEnabled());
    EXPECT_TRUE(bar().toolButton("TaviroCellSubMenuToolButton")->isEnabled());
}

TEST_F(CommandStates, FollowTheSelection)
{
    startWithData();
    const auto unitCommands = {Command::ViewUnit, Command::CorrectUnit, Command::DeleteUnit, Command::NewEmployee};
    EXPECT_EQ(enabledCommands(bar()), with(kAlways, unitCommands));
    EXPECT_EQ(enabledSubMenus(bar()),
              (std::set<QString>{"Program", "Komórki", "Pracownicy", "Oceny", "Dokumenty", "Pomoc"}));

    tree()->setCurrentItem(tree()->topLevelItem(0));
    auto employeeCommands = with(kAlways, unitCommands);
    employeeCommands.insert({Command::ViewEmployee, Command::CorrectEmployee, Command::MoveEmployee,
                             Command::DeleteEmployee, Command::NewAppraisal});
    EXPECT_EQ(enabledCommands(bar()), employeeCommands);
    EXPECT_TRUE(bar().toolButton("TaviroGradeSubMenuToolButton")->isEnabled());
    EXPECT_EQ(fixture.window->navigation()->selectedEmployeeId(), 4);

    tree()->setCurrentItem(tree()->topLevelItem(0)->child(0));
    auto appraisalCommands = with(kAlways, unitCommands);
    appraisalCommands.insert({Command::NewAppraisalFrom, Command::ViewAppraisal, Command::PrintAppraisal,
                              Command::ContinueAppraisal, Command::DeleteAppraisal});
    EXPECT_EQ(enabledCommands(bar()), appraisalCommands);
    EXPECT_EQ(enabledSubMenus(bar()),
              (std::set<QString>{"Program", "Komórki", "Pracownicy", "Oceny", "Dokumenty", "Pomoc"}));
    EXPECT_EQ(fixture.window->navigation()->selectedEmployeeId(), 4) << "the appraisal's parent";
    EXPECT_EQ(fixture.window->navigation()->selectedAppraisalId(), 2);
}

TEST_F(CommandStates, EverythingIsDisabledWhileLocked)
{
    startWithData();
    tree()->setCurrentItem(tree()->topLevelItem(0));
    fixture.window->lockCommands();
    EXPECT_TRUE(enabledCommands(bar()).empty());
    EXPECT_TRUE(enabledSubMenus(bar()).empty());
    EXPECT_TRUE(enabledToolButtons(bar()).empty());
    EXPECT_FALSE(fixture.window->navigation()->isEnabled());
    fixture.window->unlockCommands();
    EXPECT_TRUE(enabledCommands(bar()).count(Command::ViewEmployee));
    EXPECT_TRUE(fixture.window->navigation()->isEnabled());
}

TEST_F(CommandStates, TheGuardRefusesAUserWithoutTheRightAndPassesTheAdministrator)
{
    CountingNotifier notifier;
    SharedFileAccess files(fixture.dir.directory(), notifier);
    std::string rights(14, '0');
    rights[2] = '1'; // A3 only
    Accounts(files).writeUsers({{"Anna", "Nowak", "", "anowak", "tajne", rights, "000001#"}});
    fixture.loginAnswer = {true, QStringLiteral("anowak"), QStringLiteral("tajne")};
    startWithData();
    bar().menuItem(Command::DeleteUnit)->trigger();
    ASSERT_EQ(fixture.dialogs.informations.size(), 1);
    EXPECT_EQ(fixture.dialogs.informations[0], "Brak dostępu do funkcji dla użytkownika - anowak.");
    EXPECT_FALSE(bar().isLocked());
    EXPECT_TRUE(fixture.window->checkRight("A3"));
    EXPECT_EQ(fixture.dialogs.informations.size(), 1);
    bar().menuItem(Command::Administration)->trigger();
    EXPECT_EQ(fixture.dialogs.informations.last(), "Funkcja dostępna tylko dla administratora.");
    EXPECT_TRUE(fixture.dir.read("Cell.dat").find("CELLDELETE=0") != std::string::npos) << "the unit stays";
}

TEST_F(CommandStates, TheAdministratorPassesEveryGuard)
{
    startWithData();
    for (const std::string_view code : kRightsCodes)
        EXPECT_TRUE(fixture.window->checkRight(QString::fromLatin1(code.data(), 2)));
    EXPECT_TRUE(fixture.dialogs.informations.isEmpty());
}

TEST_F(CommandStates, DocumentsWebAndMailGoToTheDesktopShell)
{
    fixture.start();
    bar().menuItem(Command::Regulations)->trigger();
    bar().copies(Command::Statute).back()->trigger(); // the pop-up copy runs the same command
    ASSERT_EQ(fixture.shell.documents.size(), 2u);
    EXPECT_EQ(fixture.shell.documents[0].fileName, "Regulamin.rtf");
    EXPECT_EQ(fixture.shell.documents[1].fileName, "Ustawa.rtf");
    EXPECT_EQ(fixture.shell.documents[0].directory.toStdString() + "x", fixture.dir.directory().path() + "x");
    bar().toolButton("TaviroInternetToolButton")->click();
    bar().toolButton("TaviroMailToolButton")->click();
    ASSERT_EQ(fixture.shell.urls.size(), 2u);
    EXPECT_TRUE(fixture.shell.urls[1].toString().startsWith("mailto:"));
    EXPECT_EQ(QUrlQuery(fixture.shell.urls[1]).queryItemValue("subject", QUrl::FullyDecoded),
              "Rizuvura variv kwalifikacyjna");
}

TEST_F(CommandStates, HelpAndAboutLockTheCommandsWhileOpen)
{
    fixture.settings.values["Help"] = "0";
    fixture.start();
    bar().menuItem(Command::Help)->trigger();
    bar().toolButton("TaviroAboutToolButton")->click();
    EXPECT_EQ(fixture.shownDialogs, (QStringList{"Pomoc", "O programie ..."}));
    EXPECT_EQ(fixture.commandsLockedDuringDialog, (std::vector<bool>{true, true}));
    EXPECT_FALSE(bar().isLocked());
}

TEST_F(CommandStates, ExitClosesTheWindow)
{
    fixture.start();
    bar().toolButton("TaviroExitToolButton")->click();
    EXPECT_FALSE(fixture.window->isVisible());
    EXPECT_TRUE(fixture.settings.values.count("TaviroMainForm")) << "the placement is remembered";
}

TEST(CommandGuard, EachRightOpensExactlyItsOwnCommands)
{
    for (std::size_t granted = 0; granted < kRightsCodes.size(); ++granted) {
        MainWindowFixture fixture;
        CountingNotifier notifier;
        SharedFileAccess files(fixture.dir.directory(), notifier);
        std::string rights(14, '0');
        rights[granted] = '1';
        Accounts(files).writeUsers({{"Jan", "Kowal", "", "jkowal", "haslo", rights, ""}});
        fixture.loginAnswer = {true, QStringLiteral("jkowal"), QStringLiteral("haslo")};
        fixture.start();
        for (std::size_t code = 0; code < kRightsCodes.size(); ++code) {
            const QString name = QString::fromLatin1(kRightsCodes[code].data(), 2);
            EXPECT_EQ(fixture.window->checkRight(name), code == granted) << name.toStdString();
        }
        ASSERT_EQ(fixture.dialogs.informations.size(), 13);
        for (const QString& text : fixture.dialogs.informations)
            EXPECT_EQ(text, "Brak dostępu do funkcji dla użytkownika - jkowal.");
    }
}

TEST_F(CommandStates, ACommandWhoseOperationFailsLeavesTheCommandsUnlockedOnTheStartPage)
{
    startWithData();
    // Reading the unit for its page fails; so does deleting it (the rewrite cannot read either).
    FailingFiles failing("Cell.dat", 0, true);
    fixture.window->services().files().setFaultInjector(&failing);
    for (const Command command : {Command::ViewUnit, Command::CorrectUnit, Command::DeleteUnit}) {
        fixture.dialogs.answers = {true};
        fixture.dialogs.informations.clear();
        bar().menuItem(command)->trigger();
        ASSERT_EQ(fixture.dialogs.informations.size(), 1) << commandInfo(command).objectName;
        EXPECT_TRUE(fixture.dialogs.informations[0].startsWith("Wystąpił błąd podczas pracy z plikami danych."));
        EXPECT_FALSE(bar().isLocked()) << commandInfo(command).objectName;
        EXPECT_TRUE(fixture.window->navigation()->isEnabled());
        EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::Start);
    }
    fixture.window->services().files().setFaultInjector(nullptr);
    EXPECT_EQ(fixture.window->navigation()->unitList()->count(), 1) << "nothing was deleted";
}

TEST(UserOperation, OnlyFailuresOfTheDataFilesAreShownAsFileErrors)
{
    widgets::ScriptedMessageDialogs dialogs;
    EXPECT_TRUE(ui::runUserOperation(dialogs, [] {}));
    EXPECT_FALSE(ui::runUserOperation(dialogs, [] { throw IoError("Cell.dat", "Brak miejsca"); }));
    EXPECT_FALSE(ui::runUserOperation(dialogs, [] { throw EncodingError("Znak ☎"); }));
    EXPECT_FALSE(ui::runUserOperation(dialogs, [] { throw std::logic_error("a page read before start-up"); }));
    ASSERT_EQ(dialogs.informations.size(), 3);
    EXPECT_TRUE(dialogs.informations[0].startsWith("Wystąpił błąd podczas pracy z plikami danych."));
    EXPECT_TRUE(dialogs.informations[0].contains("Cell.dat"));
    EXPECT_TRUE(dialogs.informations[1].startsWith("Wystąpił błąd podczas pracy z plikami danych."));
    EXPECT_TRUE(dialogs.informations[2].startsWith("Wystąpił nieoczekiwany błąd programu"));
}
