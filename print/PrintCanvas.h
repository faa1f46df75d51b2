// What the printouts draw on: a page measured in pixels at a known resolution, print jobs, one
// font at a time, white fills, black lines and texts. The printer is one such canvas; tests use one
// that records every operation.
#pragma once

#include <QPoint>
#include <QString>

namespace taviro::print {

enum class FontStyle
{
    None = 0,
    Bold = 1,
    Italic = 2,
};

enum class Orientation
{
    Portrait,
    Landscape,
};

enum class Align
{
    Left,
    Centre,
    Right,
};

// A font as the printouts ask for it: a name, a character set and a height in pixels. The height
// is the font's cell height (ascent plus descent), as a positive font height is on Windows.
struct CanvasFont
{
    QString name;
    int charset = 0;
    int height = 0;
    FontStyle style = FontStyle::None;
    bool operator==(const CanvasFont&) const = default;
};

// A rectangle in pixels; right and bottom are the first pixels outside it.
struct PixelRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

class PrintCanvas
{
public:
    virtual ~PrintCanvas() = default;

    // The printable page in pixels and the resolution in dots per inch.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int resolutionX() const = 0;
    virtual int resolutionY() const = 0;

    // One print job under its title, its pages in the given orientation; the page's size above
    // follows it.
    virtual void beginJob(const QString& title, Orientation orientation) = 0;
    // Ends the page drawn so far and starts the next one of the same job.
    virtual void newPage() = 0;
    virtual void endJob() = 0;

    virtual void setFont(const CanvasFont& font) = 0;
    // The size of a text in the current font.
    virtual int textWidth(const QString& text) = 0;
    virtual int textHeight(const QString& text) = 0;

    virtual void fillWhite(const PixelRect& rect) = 0;
    // A solid black line of that width.
    virtual void line(QPoint from, QPoint to, int width) = 0;
    // A text in black on a transparent background, its top-left corner at the given point: cut to
    // the clip rectangle, or not cut at all.
    virtual void clippedText(const PixelRect& clip, QPoint at, const QString& text) = 0;
    virtual void text(QPoint at, const QString& text) = 0;
};

} // namespace taviro::print
