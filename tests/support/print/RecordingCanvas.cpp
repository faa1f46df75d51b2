#include "RecordingCanvas.h"

namespace taviro::test {

using Kind = CanvasOperation::Kind;

RecordingCanvas::RecordingCanvas(int width, int height, int dpiX, int dpiY)
    : m_width(width), m_height(height), m_dpiX(dpiX), m_dpiY(dpiY)
{}

void RecordingCanvas::beginJob(const QString& title, print::Orientation orientation)
{
    m_landscape = orientation == print::Orientation::Landscape;
    operations.push_back({Kind::BeginJob, title, {}, {}, {}, m_landscape ? 1 : 0, {}});
}

void RecordingCanvas::newPage()
{
    operations.push_back({Kind::NewPage, {}, {}, {}, {}, 0, {}});
}

void RecordingCanvas::endJob()
{
    operations.push_back({Kind::EndJob, {}, {}, {}, {}, 0, {}});
}

void RecordingCanvas::setFont(const print::CanvasFont& font)
{
    m_font = font;
    operations.push_back({Kind::Font, font.name, {}, {}, {}, 0, font});
}

int RecordingCanvas::textWidth(const QString& text)
{
    return static_cast<int>(text.size()) * m_font.height / 2;
}

int RecordingCanvas::textHeight(const QString&)
{
    return m_font.height;
}

void RecordingCanvas::fillWhite(const print::PixelRect& rect)
{
    operations.push_back({Kind::Fill, {}, rect, {}, {}, 0, {}});
}

void RecordingCanvas::line(QPoint from, QPoint to, int width)
{
    operations.push_back({Kind::Line, {}, {}, from, to, width, {}});
}

void RecordingCanvas::clippedText(const print::PixelRect& clip, QPoint at, const QString& text)
{
    operations.push_back({Kind::ClippedText, text, clip, at, {}, 0, m_font});
}

void RecordingCanvas::text(QPoint at, const QString& text)
{
    operations.push_back({Kind::Text, text, {}, at, {}, 0, m_font});
}

QStringList RecordingCanvas::jobTitles() const
{
    QStringList titles;
    for (const CanvasOperation& operation : operations) {
        if (operation.kind == Kind::BeginJob)
            titles << operation.text;
    }
    return titles;
}

std::vector<CanvasOperation> RecordingCanvas::job(int index) const
{
    std::vector<CanvasOperation> found;
    int current = -1;
    for (const CanvasOperation& operation : operations) {
        if (operation.kind == Kind::BeginJob)
            ++current;
        else if (current == index && operation.kind != Kind::EndJob)
            found.push_back(operation);
    }
    return found;
}

QStringList RecordingCanvas::texts(int job) const
{
    QStringList found;
    int current = -1;
    for (const CanvasOperation& operation : operations) {
        if (operation.kind == Kind::BeginJob)
            ++current;
        const bool isText = operation.kind == Kind::Text || operation.kind == Kind::ClippedText;
        if (isText && (job < 0 || job == current))
            found << operation.text;
    }
    return found;
}

const CanvasOperation* RecordingCanvas::findText(int job, const QString& text) const
{
    return findFirst(job, [&text](const CanvasOperation& operation) { return operation.text == text; });
}

const CanvasOperation* RecordingCanvas::textAt(int job, QPoint topLeft) const
{
    return findFirst(job, [topLeft](const CanvasOperation& operation) {
        const QPoint begins =
            operation.kind == Kind::ClippedText ? QPoint(operation.rect.left, operation.rect.top) : operation.from;
        return begins == topLeft;
    });
}

const CanvasOperation* RecordingCanvas::findFirst(int job,
                                                  const std::function<bool(const CanvasOperation&)>& wanted) const
{
    int current = -1;
    for (const CanvasOperation& operation : operations) {
        if (operation.kind == Kind::BeginJob)
            ++current;
        const bool isText = operation.kind == Kind::Text || operation.kind == Kind::ClippedText;
        if (isText && current == job && wanted(operation))
            return &operation;
    }
    return nullptr;
}

bool RecordingPrintTarget::choosePrinter(QWidget*)
{
    ++printerDialogs;
    return confirm;
}

void RecordingPrintTarget::print(const print::Printout& printout)
{
    printout(printed);
}

void RecordingPrintTarget::preview(const print::Printout& printout, QWidget*)
{
    ++previews;
    previewed = RecordingCanvas();
    printout(previewed);
}

} // namespace taviro::test
