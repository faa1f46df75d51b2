// A canvas that records every operation with its pixel coordinates, on a page of a known size and
// resolution, with text metrics simple enough to reckon by hand: a character is half the font's
// height wide, and a text is as high as its font. And a print target that prints on such canvases.
#pragma once

#include "PrintCanvas.h"
#include "PrintTarget.h"

#include <QStringList>

#include <functional>

#include <vector>

namespace taviro::test {

struct CanvasOperation
{
    enum class Kind
    {
        BeginJob,
        NewPage,
        EndJob,
        Font,
        Fill,
        Line,
        ClippedText,
        Text,
    };
    Kind kind = Kind::Text;
    QString text;           // the job's title or the text drawn
    print::PixelRect rect;  // the fill, or the clip of a clipped text
    QPoint from;            // a line's start, or a text's top-left corner
    QPoint to;              // a line's end
    int width = 0;          // a line's width; for a job's start, 1 when it is in landscape
    print::CanvasFont font; // the font set, or the font a text is drawn in
};

class RecordingCanvas : public print::PrintCanvas
{
public:
    // A page of 4800 by 6800 pixels at 600 dots per inch unless told otherwise.
    explicit RecordingCanvas(int width = 4800, int height = 6800, int dpiX = 600, int dpiY = 600);

    // A landscape job turns the page.
    int pageWidth() const override { return m_landscape ? m_height : m_width; }
    int pageHeight() const override { return m_landscape ? m_width : m_height; }
    int resolutionX() const override { return m_dpiX; }
    int resolutionY() const override { return m_dpiY; }
    void beginJob(const QString& title, print::Orientation orientation) override;
    void newPage() override;
    void endJob() override;
    void setFont(const print::CanvasFont& font) override;
    int textWidth(const QString& text) override;
    int textHeight(const QString& text) override;
    void fillWhite(const print::PixelRect& rect) override;
    void line(QPoint from, QPoint to, int width) override;
    void clippedText(const print::PixelRect& clip, QPoint at, const QString& text) override;
    void text(QPoint at, const QString& text) override;

    std::vector<CanvasOperation> operations;

    // The titles of the jobs begun, in order.
    QStringList jobTitles() const;
    // The operations of one job (counted from 0), without its begin and end.
    std::vector<CanvasOperation> job(int index) const;
    // The texts drawn (clipped or not), in order, of one job or of all of them.
    QStringList texts(int job = -1) const;
    // The first text operation drawing exactly that text in the job; nothing when there is none.
    const CanvasOperation* findText(int job, const QString& text) const;
    // The first text of the job whose rectangle (clipped) or position (unclipped) begins there.
    const CanvasOperation* textAt(int job, QPoint topLeft) const;

private:
    const CanvasOperation* findFirst(int job, const std::function<bool(const CanvasOperation&)>& wanted) const;

    int m_width;
    int m_height;
    int m_dpiX;
    int m_dpiY;
    print::CanvasFont m_font;
    bool m_landscape = false;
};

// Prints on recording canvases instead of a printer; the print dialog is confirmed unless told
// otherwise.
class RecordingPrintTarget : public print::PrintTarget
{
public:
    bool choosePrinter(QWidget* parent) override;
    void print(const print::Printout& printout) override;
    void preview(const print::Printout& printout, QWidget* parent) override;

    bool confirm = true;
    int printerDialogs = 0;
    int previews = 0;
    RecordingCanvas printed;   // everything printed, job after job
    RecordingCanvas previewed; // the last preview
};

} // namespace taviro::test
