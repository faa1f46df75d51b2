#include "PageDrawing.h"

namespace taviro::print {
namespace {

constexpr int kUnits = 10000;
// ARIAL in the Central European character set.
constexpr int kCentralEuropean = 238;

int scaled(int value, int pixels)
{
    return static_cast<int>(static_cast<long long>(value) * pixels / kUnits);
}

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20;
}

QString trimmedLine(const QString& line)
{
    qsizetype first = 0;
    qsizetype last = line.size();
    while (first < last && isBlankOrControl(line[first]))
        ++first;
    while (last > first && isBlankOrControl(line[last - 1]))
        --last;
    return line.mid(first, last - first);
}

} // namespace

QString dottedLine()
{
    return QString(59, QLatin1Char('.'));
}

int PageDrawing::px(int x) const
{
    return scaled(x, m_canvas.pageWidth());
}

int PageDrawing::py(int y) const
{
    return scaled(y, m_canvas.pageHeight());
}

void PageDrawing::setFont(int size, FontStyle style)
{
    m_canvas.setFont({QStringLiteral("ARIAL"), kCentralEuropean, py(size), style});
}

int PageDrawing::lineLeft(int left, int width, int textWidth, Align align) const
{
    switch (align) {
    case Align::Left:
        return left;
    case Align::Centre:
        return left + (width - textWidth) / 2;
    case Align::Right:
        return left + width - textWidth;
    }
    return left;
}

void PageDrawing::box(const Area& area)
{
    const int left = px(area.x);
    const int top = py(area.y);
    const int right = left + px(area.w);
    const int bottom = top + py(area.h);
    m_canvas.fillWhite({left, top, right, bottom});
    m_canvas.line({left, top}, {right, top}, horizontalLineWidth());
    m_canvas.line({left, bottom}, {right, bottom}, horizontalLineWidth());
    m_canvas.line({left, top}, {left, bottom}, verticalLineWidth());
    m_canvas.line({right, top}, {right, bottom}, verticalLineWidth());
}

void PageDrawing::text(const Area& area, const QString& text, Align align, int size, FontStyle style)
{
    if (text.isEmpty())
        return;
    setFont(size, style);
    const int left = px(area.x);
    const int top = py(area.y);
    const int width = px(area.w);
    const int height = py(area.h);
    const QPoint at(lineLeft(left, width, m_canvas.textWidth(text), align),
                    top + (height - m_canvas.textHeight(text)) / 2);
    m_canvas.clippedText({left, top, left + width, top + height}, at, text);
}

void PageDrawing::paragraph(const Column& column, const QString& text, Align align, int maxLines, int size,
                            FontStyle style)
{
    if (text.isEmpty())
        return;
    setFont(size, style);
    const int left = px(column.x);
    const int width = px(column.w);
    int top = py(column.y);
    QString remaining = text;
    int lines = 0;
    while (!remaining.isEmpty()) {
        QString line;
        qsizetype blank = 0; // the position of the last blank in the line, counted from 1
        qsizetype next = 0;
        while (next < remaining.size()) {
            const QChar c = remaining[next++];
            if (c == QLatin1Char('\n'))
                break;
            if (c == QLatin1Char('\r'))
                continue;
            line += c;
            if (c == QLatin1Char(' '))
                blank = line.size();
            if (m_canvas.textWidth(line) > width)
                break;
        }
        remaining.remove(0, next);
        // A line too wide goes back to its last blank, unless that blank is its first character.
        if (blank > 1 && m_canvas.textWidth(line) > width) {
            remaining.prepend(line.mid(blank - 1));
            line.truncate(blank - 1);
        }
        ++lines;
        if (maxLines == kAllLines || lines <= maxLines)
            drawParagraphLine(line, left, width, top, align);
        top += py(column.step);
    }
}

void PageDrawing::drawParagraphLine(QString line, int left, int width, int top, Align align)
{
    line = trimmedLine(line);
    m_canvas.text({lineLeft(left, width, m_canvas.textWidth(line), align), top}, line);
}

void PageDrawing::footer(const QString& value, int valueSize, FontStyle valueStyle, const QString& caption)
{
    text({3500, 9000, 3000, 150}, value, Align::Centre, valueSize, valueStyle);
    text({3500, 9150, 3000, 150}, QStringLiteral("(dzień, miesiąc, rok)"), Align::Centre, 120);
    text({6500, 9000, 3000, 150}, dottedLine(), Align::Centre, 120);
    text({6500, 9150, 3000, 150}, caption, Align::Centre, 120);
}

} // namespace taviro::print
