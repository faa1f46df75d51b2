// Long names in the navigation panel and the lists can be read whole, and the drop-down lists wear
// the pale yellow of every entry control.
#include "MainWindowFixture.h"

#include "NavigationPanel.h"
#include "dialogs/TaviroMoveCode.h"
#include "pages/AdminPage.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

const QString kLongName = QStringLiteral("Wydział Gospodarki Nieruchomościami, Rolnictwa, Ochrony Środowiska i "
                                         "Zagospodarowania Przestrzennego");

// The tool tip that resting the mouse on that point of the widget brings; empty for none (the
// event is then left ignored).
QString toolTipAt(QWidget* widget, const QPoint& at)
{
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &help);
    return help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
}

// Whether most of the row of pixels through the middle of the field is the entry colour.
bool isPaleYellow(QWidget* field)
{
    const QImage image = field->grab().toImage();
    int yellow = 0;
    const int y = image.height() / 2;
    for (int x = image.width() / 8; x < image.width() / 2; ++x)
        yellow += QColor(image.pixel(x, y)) == QColor(255, 255, 215) ? 1 : 0;
    return yellow > image.width() / 4;
}

} // namespace

TEST(NavigationLook, ALongNameIsNeverCutWithoutAWayToReadIt)
{
    MainWindowFixture fixture;
    fixture.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=" + kLongName.toStdString(), "CELLDELETE=0",
                                              "}", "", "{", "ID=000002", "CELLNAME=Kadry", "CELLDELETE=0", "}", ""}));
    fixture.dir.write("Pe000001.dat",
                      storedText({"{", "ID=000004", "PERSONNAME=Anna", "PERSONSURNAME=Lis", "PERSONDELETE=0", "}", "",
                                  "{", "ID=000005", "PERSONNAME=Małgorzata Katarzyna",
                                  "PERSONSURNAME=Żółkiewska-Brzęczyszczykiewicz", "PERSONDELETE=0", "}", ""}));
    fixture.start();
    QTreeWidget* tree = fixture.window->navigation()->tree();
    QCoreApplication::processEvents();
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0) << "a scroll bar where a name is wider than the panel";
    QTreeWidgetItem* longNode = tree->topLevelItem(1);
    EXPECT_EQ(toolTipAt(tree->viewport(), tree->visualItemRect(longNode).center()),
              "Małgorzata Katarzyna Żółkiewska-Brzęczyszczykiewicz");
    EXPECT_EQ(toolTipAt(tree->viewport(), tree->visualItemRect(tree->topLevelItem(0)).center()), QString())
        << "a name that fits needs none";
    const int width = tree->columnWidth(0);
    QFont larger = tree->font();
    if (larger.pixelSize() > 0)
        larger.setPixelSize(larger.pixelSize() * 2);
    else
        larger.setPointSizeF(larger.pointSizeF() * 2);
    tree->setFont(larger);
    QCoreApplication::processEvents();
    EXPECT_GT(tree->columnWidth(0), width * 3 / 2) << "no size worked out in the old font is kept";

    QComboBox* units = fixture.window->navigation()->unitList();
    EXPECT_EQ(toolTipAt(units, units->rect().center()), kLongName);
    units->showPopup();
    QWidget* list = units->view()->window();
    const QRect screen = units->screen()->availableGeometry();
    EXPECT_LE(list->width(), screen.width() / 2);
    EXPECT_GT(list->width(), units->width()) << "wider than the field, for the long name";
    EXPECT_GE(list->y(), units->mapToGlobal(QPoint(0, units->height())).y() - 1) << "below the field";
    EXPECT_EQ(units->view()->textElideMode(), Qt::ElideMiddle);
    units->hidePopup();

    fixture.window->showPage(ui::PageId::Admin);
    auto& admin = *static_cast<ui::TaviroAdminPanel*>(fixture.window->page(ui::PageId::Admin));
    admin.setUnits({{"000001", kLongName.toStdString()}});
    QListWidget* checklist = admin.unitChecklist();
    EXPECT_EQ(toolTipAt(checklist->viewport(), checklist->visualItemRect(checklist->item(0)).center()), kLongName);
}

TEST(NavigationLook, TheDropDownListsArePaleYellow)
{
    MainWindowFixture fixture;
    fixture.start();
    EXPECT_TRUE(isPaleYellow(fixture.window->navigation()->unitList())) << "TaviroCellComboBox";
    ui::TTaviroMoveForm move({{QStringLiteral("Kadry"), 1}}, fixture.window.get());
    move.show();
    auto* target = move.findChild<QComboBox*>(QStringLiteral("TaviroMoveComboBox"));
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(isPaleYellow(target)) << "TaviroMoveComboBox";
}
