// The drawing primitives of the printed forms over a canvas. Every position and size is in page
// units: x and widths in 1/10000 of the page width, y, heights, font sizes and line steps in
// 1/10000 of the page height. Pixels follow by integer arithmetic, multiplication first, the
// fraction dropped; a right edge is the left edge in pixels plus the width in pixels.
#pragma once

#include "PrintCanvas.h"

namespace taviro::print {

// A rectangle of the page in page units.
struct Area
{
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// Where a paragraph goes: its left edge, its first line's top, its width and the step from one
// line to the next, in page units.
struct Column
{
    int x = 0;
    int y = 0;
    int w = 0;
    int step = 0;
};

// Every line of a paragraph is drawn.
inline constexpr int kAllLines = 0;

// The row of full stops on which a person signs.
QString dottedLine();

class PageDrawing
{
public:
    explicit PageDrawing(PrintCanvas& canvas) : m_canvas(canvas) {}

    PrintCanvas& canvas() { return m_canvas; }

    int px(int x) const;
    int py(int y) const;
    // Lines are a 75th of an inch wide: horizontal ones after the horizontal resolution, vertical
    // ones after the vertical resolution.
    int horizontalLineWidth() const { return m_canvas.resolutionX() / 75; }
    int verticalLineWidth() const { return m_canvas.resolutionY() / 75; }

    // A white rectangle with a black edge.
    void box(const Area& area);
    // One line of text cut to the area, centred in its height; nothing for an empty text.
    void text(const Area& area, const QString& text, Align align, int size, FontStyle style = FontStyle::None);
    // A text wrapped at blanks into lines of the column's width, one line per step; a line feed
    // ends a line, a carriage return is dropped. Lines past maxLines are not drawn.
    void paragraph(const Column& column, const QString& text, Align align, int maxLines, int size,
                   FontStyle style = FontStyle::None);
    // The signature row of parts A, C and D: the value over "(dzień, miesiąc, rok)" and a dotted
    // line over the caption.
    void footer(const QString& value, int valueSize, FontStyle valueStyle, const QString& caption);

private:
    void setFont(int size, FontStyle style);
    int lineLeft(int left, int width, int textWidth, Align align) const;
    void drawParagraphLine(QString line, int left, int width, int top, Align align);

    PrintCanvas& m_canvas;
};

} // namespace taviro::print
