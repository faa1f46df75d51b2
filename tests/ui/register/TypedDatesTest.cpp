// Dates typed by hand on the register pages: digit by digit from the day they are stored as typed;
// a date outside the years that can be stored is refused at its field and nothing is written.
#include "RegisterFixture.h"

#include "EntryControls.h"
#include "FieldNote.h"

#include <QPushButton>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;

namespace {

class TypedDates : public RegisterPageTest
{
protected:
    void startActive()
    {
        start();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }

    // Tab from the field before the picker, then the digits one key each.
    void typeDate(QWidget* before, widgets::TaviroDatePicker* picker, const char* digits)
    {
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(picker->hasFocus());
        for (const char* digit = digits; *digit; ++digit)
            QTest::keyClick(picker, static_cast<Qt::Key>(Qt::Key_0 + (*digit - '0')));
    }
};

} // namespace

TEST_F(TypedDates, AUnitDateIsStoredAsTypedAndYear503IsRefusedWithNothingWritten)
{
    startActive();
    run(Command::NewUnit);
    auto* picker = control<widgets::TaviroDatePicker>("TaviroCellEdit6");
    QTest::keyClicks(control<QLineEdit>("TaviroCellEdit1"), "Gmina Lipno");
    typeDate(control<QLineEdit>("TaviroCellEdit5"), picker, "05030503");
    control<QPushButton>("TaviroCellOkButton")->click();
    EXPECT_EQ(widgets::shownFieldNote(),
              "Data 05-03-0503 jest spoza dopuszczalnego zakresu: rok musi się mieścić w przedziale 1900–2100.");
    EXPECT_TRUE(picker->hasFocus());
    EXPECT_EQ(currentPage(), ui::PageId::Cell) << "the page stays open with its input";
    EXPECT_FALSE(fixture.dir.exists("Cell.dat"));
    EXPECT_FALSE(fixture.dir.exists("Cell.cou")) << "no identifier drawn either";
    EXPECT_TRUE(fixture.dialogs.informations.isEmpty()) << "said at the field, not in a dialog";

    typeDate(control<QLineEdit>("TaviroCellEdit5"), picker, "05032024");
    control<QPushButton>("TaviroCellOkButton")->click();
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_TRUE(fileHasLine("Cell.dat", "CELLDATE=05-03-2024"));
}

TEST_F(TypedDates, AWrongDateStoredEarlierIsShownAndMustBeMendedBeforeTheEmployeeIsSaved)
{
    const std::string stored = storedText({"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=0", "}", ""});
    fixture.dir.write("Cell.dat", stored);
    const std::string people =
        storedText({"{", "ID=000002", "PERSONNAME=Anna", "PERSONSURNAME=Lis", "PERSONPOSITION=Referent",
                    "PERSONEMPLOY=1", "PERSONDATE1=08-12-0503", "PERSONDATE2=01-02-2020",
                    "PERSONDUTY1=", "PERSONDUTY2=", "PERSONDELETE=0", "}", ""});
    fixture.dir.write("Pe000001.dat", people);
    startActive();
    tree()->setCurrentItem(tree()->topLevelItem(0));
    run(Command::CorrectEmployee);
    auto* picker = control<widgets::TaviroDatePicker>("TaviroPersonDateTimePicker1");
    EXPECT_EQ(picker->text(), "08-12-0503");
    control<QPushButton>("TaviroPersonOkButton")->click();
    EXPECT_TRUE(widgets::shownFieldNote().startsWith("Data 08-12-0503 jest spoza dopuszczalnego zakresu"));
    EXPECT_EQ(fixture.dir.read("Pe000001.dat"), people) << "nothing written";

    typeDate(control("TaviroPersonRadioButton2"), picker, "31122025");
    control<QPushButton>("TaviroPersonOkButton")->click();
    EXPECT_EQ(currentPage(), ui::PageId::Start);
    EXPECT_TRUE(fileHasLine("Pe000001.dat", "PERSONDATE1=31-12-2025"));
}
