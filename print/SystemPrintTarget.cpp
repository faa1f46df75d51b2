#include "SystemPrintTarget.h"

#include "PainterCanvas.h"

#include "IoError.h"

#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

namespace taviro::print {

SystemPrintTarget::SystemPrintTarget() : m_printer(QPrinter::HighResolution)
{
    m_printer.setPageOrientation(QPageLayout::Portrait);
}

bool SystemPrintTarget::choosePrinter(QWidget* parent)
{
    QPrintDialog dialog(&m_printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void SystemPrintTarget::print(const Printout& printout)
{
    // A file takes the whole printout as one document; a printer gets one job per job.
    const bool toFile = m_printer.outputFormat() == QPrinter::PdfFormat || !m_printer.outputFileName().isEmpty();
    PainterCanvas canvas(m_printer, toFile ? PainterCanvas::Jobs::OneDocument : PainterCanvas::Jobs::Separate);
    printout(canvas);
    canvas.finish();
    const QString file = m_printer.outputFileName();
    const bool pdf = m_printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty();
    if (canvas.succeeded() && (!pdf || isCompletePdf(file)))
        return;
    if (!toFile) {
        const std::string name = m_printer.printerName().toStdString();
        throw IoError(name, {}, "Nie można przekazać wydruku do drukarki " + name + ".");
    }
    // A file opened and written, but not to its end: what is there is no printout. (Only a regular
    // file: a device such as /dev/full is never removed.)
    if (canvas.succeeded() && QFileInfo(file).isFile())
        QFile::remove(file);
    const std::string name = file.toStdString();
    throw IoError(name, {}, "Nie można zapisać wydruku w pliku " + name + ".");
}

void SystemPrintTarget::preview(const Printout& printout, QWidget* parent)
{
    QPrintPreviewDialog dialog(&m_printer, parent);
    dialog.setWindowTitle(QStringLiteral("Podgląd wydruku"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&printout](QPrinter* printer) {
        PainterCanvas canvas(*printer, PainterCanvas::Jobs::OneDocument);
        printout(canvas);
        canvas.finish();
    });
    dialog.exec();
}

} // namespace taviro::print
