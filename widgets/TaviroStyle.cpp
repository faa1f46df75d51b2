#include "TaviroStyle.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionComboBox>

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
