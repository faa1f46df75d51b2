// The look and the keyboard rules the program keeps on every desktop, laid over the platform's own
// style: a drop-down list is drawn as an entry field (pale yellow, with its arrow button) and opens
// its list below itself; a menu lets the mouse and the arrow keys rest on a disabled item, so that
// its hint reaches the status bar; the menu bar is entered from the keyboard with Alt, and the menu
// it stands on is highlighted while it is closed too.
#pragma once

#include <QProxyStyle>

namespace taviro::widgets {

class TaviroStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // base: the style it is laid over (owned by it); null for the platform's default.
    explicit TaviroStyle(QStyle* base = nullptr);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

// One instance for the whole program, laid over the application's style and destroyed with the
// application. Widgets that need it set it themselves (QWidget::setStyle).
QStyle* taviroStyle();

} // namespace taviro::widgets
