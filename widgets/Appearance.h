// The look every window shares: one font and one colour, the pale yellow of the entry controls.
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

namespace taviro::widgets {

// Red 255, green 255, blue 215: the background of every entry control, list, tree and read-only box.
inline const QColor kEntryBackground(255, 255, 215);

// Gives a widget the pale-yellow background.
inline void applyEntryBackground(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, kEntryBackground);
    palette.setColor(QPalette::Window, kEntryBackground);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// MS Sans Serif at 11 pixels where it is installed; the nearest sans-serif face elsewhere.
inline QFont windowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

} // namespace taviro::widgets
