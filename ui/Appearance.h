// The look shared by every window: the pale-yellow entry background and the dialog font.
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

namespace taviro::ui {

inline const QColor kEntryBackground(255, 255, 215);

// Gives a widget (an entry control, a list, a tree, a page) the pale-yellow background.
inline void applyEntryBackground(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, kEntryBackground);
    palette.setColor(QPalette::Window, kEntryBackground);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// MS Sans Serif 11 px where it exists; the desktop's sans-serif face elsewhere.
inline QFont windowFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

} // namespace taviro::ui
