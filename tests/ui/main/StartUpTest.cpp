// Start-up: login first, then the session, the lists and the start page; the help dialog half a
// second later when the user wants it.
#include "MainWindowFixture.h"

#include "NavigationPanel.h"

#include <QDir>
#include <QStackedWidget>

#include <QTimer>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

QStringList entriesOf(const TemporaryDataDirectory& dir)
{
    return QDir(QString::fromStdString(dir.directory().path()))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(StartUp, WithOnlyTheUserFileItMakesTempAndASessionAndShowsEmptyLists)
{
    MainWindowFixture fixture;
    fixture.dir.write("Users.dat", "");
    fixture.start();
    ASSERT_TRUE(fixture.window->isStarted());
    EXPECT_TRUE(fixture.dir.exists("Temp"));
    EXPECT_TRUE(fixture.dir.exists("Session.cou"));
    EXPECT_EQ(fixture.window->session().sessionNumber, "00000001");
    EXPECT_EQ(fixture.window->session().user, "Administrator");
    EXPECT_EQ(fixture.window->navigation()->unitList()->count(), 0);
    EXPECT_EQ(fixture.window->navigation()->unitList()->currentIndex(), -1);
    EXPECT_EQ(fixture.window->navigation()->tree()->topLevelItemCount(), 0);
    EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::Start);
    EXPECT_EQ(fixture.window->findChild<QStackedWidget*>("TaviroContentArea")->currentWidget()->objectName(),
              "TaviroStartPanel");
    EXPECT_TRUE(fixture.dialogs.informations.isEmpty());
}

TEST(StartUp, CancellingTheLoginEndsTheProgramWithoutTouchingTheDataDirectory)
{
    MainWindowFixture fixture;
    fixture.dir.write("Users.dat", "");
    fixture.loginAnswer = {};
    const QStringList before = entriesOf(fixture.dir);
    fixture.start();
    EXPECT_EQ(fixture.logins, 1);
    EXPECT_FALSE(fixture.window->isStarted());
    EXPECT_FALSE(fixture.window->isVisible()) << "the main window closed";
    EXPECT_EQ(entriesOf(fixture.dir), before);
}

TEST(StartUp, TheLoginComesBeforeAnythingOfTheWindowIsShown)
{
    for (const bool accepted : {false, true}) {
        MainWindowFixture fixture;
        std::vector<bool> windowShown;
        fixture.environment.login = [&](Accounts&, QWidget* parent) {
            windowShown.push_back(parent->isVisible());
            ++fixture.logins;
            return ui::LoginAnswer{accepted, QStringLiteral("Administrator"), QStringLiteral("TAVIRO")};
        };
        fixture.loginAnswer.accepted = accepted;
        fixture.start();
        EXPECT_EQ(windowShown, std::vector<bool>{false});
        EXPECT_EQ(fixture.window->isVisible(), accepted) << "a cancelled login never shows the window";
    }
}

TEST(StartUp, TheUnitListShowsOnlyLiveUnitsInFileOrderAndTheTreeTheFirstUnitsPeople)
{
    MainWindowFixture fixture;
    fixture.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=1", "}", "", "{",
                                              "ID=000002", "CELLNAME=Płace", "CELLDELETE=0", "}", "", "{", "ID=000003",
                                              "CELLNAME=Archiwum", "CELLDELETE=0", "}", ""}));
    fixture.dir.write(
        "Pe000002.dat",
        storedText({"{", "ID=000007", "PERSONNAME=Jan", "PERSONSURNAME=Nowak", "PERSONDELETE=0", "}", "",
                    "{", "ID=000008", "PERSONNAME=Jan", "PERSONSURNAME=Nowak", "PERSONDELETE=0", "}", "",
                    "{", "ID=000009", "PERSONNAME=Ewa", "PERSONSURNAME=Żak",   "PERSONDELETE=1", "}", ""}));
    fixture.dir.write("Gr000007.dat", storedText({"{", "ID=000001", "SECTIONDDATE2=31-12-2025", "DELETE=0", "}", "",
                                                  "{", "ID=000002", "SECTIONDDATE2=31-12-2023", "DELETE=1", "}", ""}));
    fixture.dir.write("Gr000008.dat", storedText({"{", "ID=000003", "SECTIONDDATE2=01-01-2024", "DELETE=1", "}", ""}));
    fixture.start();
    auto* units = fixture.window->navigation()->unitList();
    ASSERT_EQ(units->count(), 2);
    EXPECT_EQ(units->itemText(0), "Płace");
    EXPECT_EQ(units->itemData(0).toInt(), 2);
    EXPECT_EQ(units->itemText(1), "Archiwum");
    EXPECT_EQ(units->currentIndex(), 0);
    auto* tree = fixture.window->navigation()->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2) << "two people of one name both appear";
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Jan Nowak");
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), "Ocena z dnia 31-12-2025");
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 0) << "all appraisals deleted";
    EXPECT_EQ(tree->currentItem(), nullptr);

    // Picking another unit refills the tree; that unit has no employee file.
    units->setCurrentIndex(1);
    emit units->activated(1);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
}

TEST(StartUp, AUserSeesOnlyTheUnitsOfTheirAccessList)
{
    MainWindowFixture fixture;
    fixture.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=0", "}", "", "{",
                                              "ID=000017", "CELLNAME=Płace", "CELLDELETE=0", "}", ""}));
    CountingNotifier notifier;
    SharedFileAccess files(fixture.dir.directory(), notifier);
    Accounts(files).writeUsers({{"Anna", "Nowak", "", "anowak", "tajne", std::string(14, '0'), "000017#"},
                                {"Piotr", "Lis", "", "plis", "x", std::string(14, '0'), ""}});
    fixture.loginAnswer = {true, QStringLiteral("anowak"), QStringLiteral("tajne")};
    fixture.start();
    auto* units = fixture.window->navigation()->unitList();
    ASSERT_EQ(units->count(), 1);
    EXPECT_EQ(units->itemText(0), "Płace");
}

TEST(StartUp, HelpAtStartComesHalfASecondLaterWithTheCommandsLocked)
{
    for (const auto& [stored, expected] :
         std::vector<std::pair<std::optional<QString>, bool>>{{std::nullopt, true},
                                                              {QStringLiteral("1"), true},
                                                              {QStringLiteral("tak"), true},
                                                              {QStringLiteral("0"), false}}) {
        MainWindowFixture fixture;
        if (stored)
            fixture.settings.values["Help"] = *stored;
        fixture.start();
        EXPECT_TRUE(fixture.shownDialogs.isEmpty()) << "not at once";
        // Half a second later: the one-shot timer is running with that delay; firing it stands
        // in for the wait.
        QTimer* timer = fixture.window->helpTimer();
        ASSERT_TRUE(timer->isActive());
        EXPECT_TRUE(timer->isSingleShot());
        EXPECT_EQ(timer->interval(), 500);
        timer->start(0);
        ASSERT_TRUE(MainWindowFixture::waitFor([&] { return !timer->isActive(); }));
        ASSERT_EQ(fixture.shownDialogs.size(), expected ? 1 : 0) << (stored ? stored->toStdString() : "missing");
        if (expected) {
            EXPECT_EQ(fixture.shownDialogs[0], "Pomoc");
            EXPECT_TRUE(fixture.commandsLockedDuringDialog[0]);
            EXPECT_FALSE(fixture.window->commands()->isLocked()) << "unlocked after the dialog";
        }
    }
}
