// The drop-down list: an entry field with a list below it that stays on the screen.
#include "EntryControls.h"

#include "Appearance.h"
#include "TaviroStyle.h"
#include "WholeTextTips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QToolTip>

#include <algorithm>

namespace taviro::widgets {

TaviroComboBox::TaviroComboBox(const QString& objectName, QWidget* parent) : QComboBox(parent)
{
    setObjectName(objectName);
    setEditable(false);
    setStyle(taviroStyle());
    applyEntryBackground(this);
    view()->setTextElideMode(Qt::ElideMiddle);
    showWholeTextOfCutItems(view());
}

void TaviroComboBox::showPopup()
{
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    const QScreen* screen = this->screen();
    if (!popup || popup == window() || !screen)
        return;
    // As wide as its longest text needs, but no wider than half the screen (or the field).
    const QRect available = screen->availableGeometry();
    const int chrome = popup->width() - view()->viewport()->width();
    const int needed = view()->sizeHintForColumn(modelColumn()) + chrome;
    QRect frame = popup->geometry();
    frame.setWidth(std::clamp(needed, frame.width(), std::max(frame.width(), available.width() / 2)));
    if (frame.right() > available.right())
        frame.moveRight(available.right());
    if (frame.left() < available.left())
        frame.moveLeft(available.left());
    popup->setGeometry(frame);
}

bool TaviroComboBox::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QComboBox::event(event);
    // The whole text of the chosen entry when the field shows it cut.
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QString text = currentText();
    if (!text.isEmpty() && fontMetrics().horizontalAdvance(text) > field.width()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, this);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

} // namespace taviro::widgets
