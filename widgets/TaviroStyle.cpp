#include "TaviroStyle.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStyleOptionMenuItem>

namespace taviro::widgets {

TaviroStyle::TaviroStyle(QStyle* base) : QProxyStyle(base) {}

int TaviroStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_ComboBox_Popup:
        // The list drops down below the field; placed over it, a long list covers the menu bar.
        return 0;
    case SH_Menu_AllowActiveAndDisabled:
    case SH_MenuBar_AltKeyNavigation:
        return 1;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

void TaviroStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                     const QWidget* widget) const
{
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control == CC_ComboBox && combo && !combo->editable) {
        // A list the user only picks from looks like the entry fields around it: the field in the
        // base colour of its palette and the arrow button beside it, not a push button.
        QStyleOptionComboBox field(*combo);
        field.editable = true;
        QProxyStyle::drawComplexControl(control, &field, painter, widget);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void TaviroStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarItem && item && (item->state & State_Selected) && (item->state & State_Enabled)) {
        // The menu the keyboard or the mouse stands on is highlighted even while it is closed (Alt or
        // F10 pressed, Esc after a menu was open), as its open look: some styles mark a closed one
        // not at all, and the user would not see where the arrow keys are.
        QStyleOptionMenuItem current(*item);
        current.state |= State_Sunken;
        QProxyStyle::drawControl(element, &current, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QStyle* taviroStyle()
{
    static QPointer<TaviroStyle> style;
    if (!style) {
        QStyle* base = QApplication::style() ? QStyleFactory::create(QApplication::style()->name()) : nullptr;
        style = new TaviroStyle(base);
        style->setParent(qApp);
    }
    return style;
}

} // namespace taviro::widgets
