// Printing formatted text through QPrinter with the platform's print dialog.
#include "TextPrinter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace taviro {

bool SystemTextPrinter::print(const QTextDocument& document, const QString& jobTitle, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobTitle);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    document.print(&printer);
    return true;
}

bool RecordingTextPrinter::print(const QTextDocument& document, const QString& jobTitle, QWidget*)
{
    ++dialogs;
    if (!confirm)
        return false;
    jobs.push_back({jobTitle, document.toPlainText(), document.toHtml()});
    return true;
}

} // namespace taviro
