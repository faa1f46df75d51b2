// Printing through the main window: the command "Drukuj" on a stored appraisal with its two dialogs,
// and page A's "Drukuj" printing the notification with the dates as they stand on the page.
#include "MainWindowFixture.h"
#include "PrintTestSupport.h"

#include "NavigationPanel.h"

#include "NotificationPrint.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;

namespace {

class PrintCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writePrintedData(fixture.dir, {filledAppraisalRecord("000001")});
        fixture.start();
        ASSERT_TRUE(fixture.window->isStarted());
    }

    QTreeWidget* tree() const { return fixture.window->navigation()->tree(); }
    void run(Command command) { fixture.window->commands()->menuItem(command)->trigger(); }
    // Answers the next dialog: clicks the named controls in it, in order.
    void answerWith(QStringList clicks)
    {
        fixture.onDialog = [clicks](QDialog& dialog) {
            for (const QString& name : clicks) {
                auto* button = dialog.findChild<QAbstractButton*>(name);
                ASSERT_NE(button, nullptr) << name.toStdString();
                button->click();
            }
        };
    }
    void printSelectedAppraisal()
    {
        tree()->setCurrentItem(tree()->topLevelItem(0)->child(0));
        run(Command::PrintAppraisal);
    }

    MainWindowFixture fixture;
    RecordingPrintTarget& target = fixture.printTarget;
};

} // namespace

TEST_F(PrintCommand, TheChosenPartsPrintFromTheRecordAsItIsNow)
{
    // Another workstation changes the year after the tree was filled.
    RecordLines changed = filledAppraisalRecord("000001");
    std::replace(changed.begin(), changed.end(), std::string("SECTIONBGRADEYEAR=2026"),
                 std::string("SECTIONBGRADEYEAR=2027"));
    fixture.dir.write("Gr000005.dat", recordFile({changed}));

    answerWith({"TaviroPrintCheckBox1", "TaviroPrintCheckBox3", "TaviroPrintCheckBox5", "TaviroPrintOkButton"});
    printSelectedAppraisal();
    EXPECT_EQ(fixture.shownDialogs.back(), QStringLiteral("Wydruk oceny"));
    EXPECT_TRUE(fixture.commandsLockedDuringDialog.back());
    EXPECT_EQ(target.printerDialogs, 1);
    EXPECT_EQ(target.printed.jobTitles(), (QStringList{"Wydruk części B ...", "Wydruk części D ..."}));
    EXPECT_TRUE(target.printed.texts(0).contains(QStringLiteral("Grudniu 2027")));
    EXPECT_TRUE(target.printed.texts(1).contains(QStringLiteral("Małgorzata Wiśniewska")));
    EXPECT_FALSE(fixture.window->commands()->isLocked());
    EXPECT_EQ(fixture.window->focusWidget(), tree());
}

TEST_F(PrintCommand, GivingUpEitherDialogPrintsNothing)
{
    answerWith({"TaviroPrintCancelButton"});
    printSelectedAppraisal();
    EXPECT_EQ(target.printerDialogs, 0);

    answerWith({"TaviroPrintOkButton"});
    target.confirm = false;
    printSelectedAppraisal();
    EXPECT_EQ(target.printerDialogs, 1);
    EXPECT_TRUE(target.printed.operations.empty());
    EXPECT_FALSE(fixture.window->commands()->isLocked());
}

TEST_F(PrintCommand, ThePreviewShowsWhatTheTickedPartsPrint)
{
    answerWith({"TaviroPrintCheckBox1", "TaviroPrintCheckBox2", "TaviroPrintCheckBox3", "TaviroPrintCheckBox4",
                "TaviroPrintPreviewButton", "TaviroPrintCancelButton"});
    printSelectedAppraisal();
    EXPECT_EQ(target.previews, 1);
    EXPECT_EQ(target.previewed.jobTitles(), QStringList{"Wydruk części E ..."});
    EXPECT_TRUE(target.previewed.texts(0).contains(QStringLiteral("Zofia Żak")));
    EXPECT_TRUE(target.printed.operations.empty());
}

TEST_F(PrintCommand, PageAPrintsTheNotificationWithTheDatesOnThePageUnsaved)
{
    const std::string stored = fixture.dir.read("Gr000005.dat");
    tree()->setCurrentItem(tree()->topLevelItem(0));
    run(Command::NewAppraisal);
    fixture.window->findChild<QDateEdit*>("TaviroGradeADateTimePicker4")->setDate(QDate(2026, 3, 17));
    fixture.window->findChild<QTimeEdit*>("TaviroGradeADateTimePicker5")->setTime(QTime(13, 45, 20));

    answerWith({"TaviroSendPreviewButton", "TaviroSendCheckBox2", "TaviroSendOkButton"});
    fixture.window->findChild<QPushButton*>("TaviroGradeAPrintButton")->click();
    EXPECT_EQ(fixture.shownDialogs.back(), QStringLiteral("Wydruk powiadomienia"));
    EXPECT_EQ(target.previewed.jobTitles().size(), 7) << "the preview of the letter and its attachments";
    ASSERT_EQ(target.printed.jobTitles(), QStringList{print::letterJobTitle()});
    const QStringList letter = target.printed.texts(0);
    EXPECT_TRUE(letter.contains(QStringLiteral("Łęczyca, dnia 05-03-2026"))) << "the notification date of today";
    EXPECT_TRUE(letter.contains(QStringLiteral("Urząd Gminy Łęczyca")));
    EXPECT_TRUE(letter.contains(QStringLiteral("Małgorzata Wiśniewska")));
    EXPECT_TRUE(letter.contains(QStringLiteral("Zofia Żak")));
    EXPECT_TRUE(letter.join(QLatin1Char(' ')).contains(QStringLiteral("17-03-2026 o godzinie 13:45 odbędzie")));
    EXPECT_EQ(fixture.window->session().currentPage, ui::PageId::GradeA);
    EXPECT_EQ(fixture.dir.read("Gr000005.dat"), stored) << "nothing is stored";
}
