#include "PainterCanvas.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPen>
#include <QPrinter>

#include <algorithm>

namespace taviro::print {
namespace {

QRect toQRect(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

bool isCompletePdf(const QString& path)
{
    // The marker may be followed by a line end; a device such as /dev/full is no file at all.
    constexpr qint64 kTail = 32;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) ||
        !file.seek(std::max<qint64>(0, file.size() - kTail)))
        return false;
    return file.readAll().contains("%%EOF");
}

PainterCanvas::PainterCanvas(QPrinter& printer, Jobs jobs) : m_printer(printer), m_jobs(jobs) {}

PainterCanvas::~PainterCanvas()
{
    finish();
}

void PainterCanvas::finish()
{
    if (m_painter.isActive())
        m_painter.end();
}

int PainterCanvas::pageWidth() const
{
    return m_printer.width();
}

int PainterCanvas::pageHeight() const
{
    return m_printer.height();
}

int PainterCanvas::resolutionX() const
{
    return m_printer.logicalDpiX();
}

int PainterCanvas::resolutionY() const
{
    return m_printer.logicalDpiY();
}

void PainterCanvas::beginJob(const QString& title, Orientation orientation)
{
    const auto layout = orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (m_jobs == Jobs::OneDocument && m_painter.isActive()) {
        m_printer.setPageOrientation(layout);
        m_succeeded = m_printer.newPage() && m_succeeded;
        return;
    }
    m_printer.setDocName(title);
    m_printer.setPageOrientation(layout);
    if (!m_painter.begin(&m_printer))
        m_succeeded = false;
}

void PainterCanvas::newPage()
{
    if (m_painter.isActive())
        m_succeeded = m_printer.newPage() && m_succeeded;
}

void PainterCanvas::endJob()
{
    if (m_jobs == Jobs::Separate && m_painter.isActive())
        m_painter.end();
}

QFont PainterCanvas::fontOf(const CanvasFont& font)
{
    QFont made(font.name);
    made.setBold(font.style == FontStyle::Bold);
    made.setItalic(font.style == FontStyle::Italic);
    made.setStyleStrategy(QFont::PreferOutline);
    // The height asked for is the cell height; Qt sizes a font by its em, so the em is scaled by
    // the face's cell-to-em ratio, measured on the printer.
    constexpr int kProbe = 1000;
    made.setPixelSize(kProbe);
    const QFontMetricsF probe(made, &m_printer);
    const qreal cell = probe.ascent() + probe.descent();
    made.setPixelSize(std::max(1, qRound(font.height * kProbe / (cell > 0 ? cell : kProbe))));
    return made;
}

void PainterCanvas::setFont(const CanvasFont& font)
{
    m_font = fontOf(font);
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

int PainterCanvas::textWidth(const QString& text)
{
    return QFontMetrics(m_font, &m_printer).horizontalAdvance(text);
}

int PainterCanvas::textHeight(const QString&)
{
    return QFontMetrics(m_font, &m_printer).height();
}

void PainterCanvas::fillWhite(const PixelRect& rect)
{
    if (m_painter.isActive())
        m_painter.fillRect(toQRect(rect), Qt::white);
}

void PainterCanvas::line(QPoint from, QPoint to, int width)
{
    if (!m_painter.isActive())
        return;
    m_painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.drawLine(from, to);
}

void PainterCanvas::clippedText(const PixelRect& clip, QPoint at, const QString& text)
{
    if (!m_painter.isActive())
        return;
    m_painter.save();
    m_painter.setClipRect(toQRect(clip));
    this->text(at, text);
    m_painter.restore();
}

void PainterCanvas::text(QPoint at, const QString& text)
{
    if (!m_painter.isActive())
        return;
    m_painter.setPen(Qt::black);
    m_painter.setFont(m_font);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.drawText(at + QPoint(0, QFontMetrics(m_font, &m_printer).ascent()), text);
}

} // namespace taviro::print
