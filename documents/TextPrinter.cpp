// Printing formatted text through QPrinter with the platform's print dialog.
#include "TextPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>

namespace taviro {

QString SystemTextPrinter::printFilePath(const QString& fileName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(fileName);
}

bool SystemTextPrinter::print(const QTextDocument& document, const QString& jobTitle, const QString& fileName,
                              QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobTitle);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt's own print dialog offers a file named after the job title; it gets the plain name instead.
    // Naming the file switches the printer to PDF; the format it had comes back, so the dialog still
    // opens on the printer (a real printer clears the name again).
    const QPrinter::OutputFormat format = printer.outputFormat();
    printer.setOutputFileName(printFilePath(fileName));
    printer.setOutputFormat(format);
#else
    Q_UNUSED(fileName);
#endif
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    document.print(&printer);
    return true;
}

bool RecordingTextPrinter::print(const QTextDocument& document, const QString& jobTitle, const QString& fileName,
                                 QWidget*)
{
    ++dialogs;
    if (!confirm)
        return false;
    jobs.push_back({jobTitle, fileName, document.toPlainText(), document.toHtml()});
    return true;
}

} // namespace taviro
