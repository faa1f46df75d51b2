// The canvas of a real printer: QPainter over QPrinter. On a printer every job is a print job of its
// own under its title; into a PDF file, or for the print preview, the jobs become the pages of one
// document, so that no job overwrites the file of the one before.
#pragma once

#include "PrintCanvas.h"

#include <QFont>
#include <QPainter>

class QPrinter;

namespace taviro::print {

class PainterCanvas : public PrintCanvas
{
public:
    enum class Jobs
    {
        Separate,    // one print job per job
        OneDocument, // one page per job, all in one document
    };

    PainterCanvas(QPrinter& printer, Jobs jobs);
    // Ends the document when the jobs went into one.
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    // The jobs are all drawn: the document goes to the printer or the file.
    void finish();
    // Whether every page could be drawn (a file that cannot be written fails the first page).
    bool succeeded() const { return m_succeeded; }

    int pageWidth() const override;
    int pageHeight() const override;
    int resolutionX() const override;
    int resolutionY() const override;
    void beginJob(const QString& title, Orientation orientation) override;
    void newPage() override;
    void endJob() override;
    void setFont(const CanvasFont& font) override;
    int textWidth(const QString& text) override;
    int textHeight(const QString& text) override;
    void fillWhite(const PixelRect& rect) override;
    void line(QPoint from, QPoint to, int width) override;
    void clippedText(const PixelRect& clip, QPoint at, const QString& text) override;
    void text(QPoint at, const QString& text) override;

private:
    QFont fontOf(const CanvasFont& font);

    QPrinter& m_printer;
    Jobs m_jobs;
    QPainter m_painter;
    QFont m_font;
    bool m_succeeded = true;
};

// Whether the PDF file at path was written to its end. QPrinter reports only a file it cannot open:
// a write that fails later (a disk that fills up) goes unnoticed and leaves the file without the
// end marker that every PDF closes with.
bool isCompletePdf(const QString& path);

} // namespace taviro::print
