// The print-parts dialog and the notification dialog: their boxes ticked when shown, the rule for
// "Drukuj", and "Podgląd" asking for the preview of what the ticked boxes print.
#include "ModalDriver.h"

#include "TaviroPrintCode.h"
#include "TaviroSendCode.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::print;

namespace {

template <typename T = QWidget> T* control(QWidget& dialog, const QString& name)
{
    T* found = dialog.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

void click(QWidget& dialog, const QString& name)
{
    control<QAbstractButton>(dialog, name)->click();
}

} // namespace

TEST(PrintDialogs, PrintingPartsNeedsATickedBoxAndEveryBoxIsTickedWhenTheDialogShows)
{
    std::vector<int> previews;
    TTaviroPrintForm form([&](int parts, QWidget*) { previews.push_back(parts); });
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Wydruk oceny"));
    EXPECT_EQ(form.partsMask(), 31);
    auto* print = control<QPushButton>(form, "TaviroPrintOkButton");
    EXPECT_TRUE(print->isDefault());
    for (int box = 1; box <= 5; ++box)
        click(form, QStringLiteral("TaviroPrintCheckBox%1").arg(box));
    EXPECT_FALSE(print->isEnabled());
    EXPECT_FALSE(control(form, "TaviroPrintPreviewButton")->isEnabled());
    click(form, "TaviroPrintCheckBox4");
    EXPECT_TRUE(print->isEnabled());
    EXPECT_EQ(form.partsMask(), 8);
    click(form, "TaviroPrintPreviewButton");
    EXPECT_EQ(previews, std::vector<int>{8});

    form.show();
    EXPECT_EQ(form.partsMask(), 31) << "shown again, every part is ticked";
    form.hide();
}

TEST(PrintDialogs, TheNotificationDialogLetsDrukujPrintNothing)
{
    TTaviroSendForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Wydruk powiadomienia"));
    EXPECT_EQ(control<QCheckBox>(form, "TaviroSendCheckBox2")->text(),
              QStringLiteral("Drukuj załączniki do powiadomienia"));
    EXPECT_EQ(form.selection(), 3);
    click(form, "TaviroSendCheckBox1");
    click(form, "TaviroSendCheckBox2");
    EXPECT_TRUE(control(form, "TaviroSendOkButton")->isEnabled());
    EXPECT_EQ(form.selection(), 0);
}

TEST(PrintDialogs, EscapeClosesThePrintDialogAsRezygnuj)
{
    TTaviroPrintForm form;
    taviro::test::whenModalShown([](QWidget* dialog) { taviro::test::clickKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(form.exec(), QDialog::Rejected);
}
