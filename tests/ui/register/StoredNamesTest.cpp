// Names that hold "#" or "$" (an imported "Kadry #1"): the record files keep line breaks as those
// two characters, but a list or tree text is the value as stored, never a line break.
#include "RegisterFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace taviro;
using namespace taviro::test;
using taviro::ui::Command;

namespace {

class StoredNames : public RegisterPageTest
{
protected:
    void SetUp() override
    {
        fixture.dir.write("Cell.dat", recordFile({unitRecord("000001", "Kadry #1"), unitRecord("000002", "kadry #1"),
                                                  unitRecord("000003", "Płace $ 2")}));
        fixture.dir.write("Pe000001.dat", recordFile({employeeRecord("000010", "Jan#", "Nowak$")}));
        fixture.dir.write("Gr000010.dat", recordFile({appraisalRecord("000020", "31-12-2025")}));
        start();
        ASSERT_TRUE(window().isStarted());
    }
};

} // namespace

TEST_F(StoredNames, ShowInTheListTheTreeAndTheMoveDialogExactlyAsStored)
{
    ASSERT_EQ(units()->count(), 3);
    EXPECT_EQ(units()->itemText(0), "Kadry #1");
    EXPECT_EQ(units()->itemText(2), "Płace $ 2");
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), "Jan# Nowak$");
    EXPECT_EQ(tree()->topLevelItem(0)->child(0)->text(0), "Ocena z dnia 31-12-2025");

    QStringList offered;
    fixture.onDialog = [&](QDialog& dialog) {
        auto* list = dialog.findChild<QComboBox*>("TaviroMoveComboBox");
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i)
            offered << list->itemText(i);
    };
    tree()->setCurrentItem(tree()->topLevelItem(0));
    run(Command::MoveEmployee);
    EXPECT_EQ(offered, (QStringList{"kadry #1", "Płace $ 2"}));
}

TEST_F(StoredNames, TheDuplicateCheckFindsSuchANameAndWritesNothing)
{
    const std::string before = fixture.dir.read("Cell.dat");
    units()->setCurrentIndex(1);
    run(Command::CorrectUnit);
    ASSERT_EQ(currentPage(), ui::PageId::Cell);
    EXPECT_EQ(control<QLineEdit>("TaviroCellEdit3")->text(), "kadry #1");
    control<QLineEdit>("TaviroCellEdit1")->setText("Gmina Lipno"); // "Zapisz" needs the body's name
    control<QPushButton>("TaviroCellOkButton")->click();
    EXPECT_EQ(fixture.dialogs.informations, QStringList{"Komórka o podanej nazwie już istnieje."});
    EXPECT_EQ(currentPage(), ui::PageId::Cell) << "the page stays open";
    EXPECT_EQ(fixture.dir.read("Cell.dat"), before);
}
