// Printing a formatted text (the help text) as a print job of its own.
#pragma once

#include <QString>

#include <vector>

class QTextDocument;
class QWidget;

namespace taviro {

class TextPrinter
{
public:
    virtual ~TextPrinter() = default;
    // Lets the user choose the printer; prints the document under jobTitle when confirmed.
    // fileName: what printing to a file offers, a plain name ("Pomoc.pdf") in the user's documents
    // folder (the job title may hold characters no file name can). Returns whether it was printed.
    virtual bool print(const QTextDocument& document, const QString& jobTitle, const QString& fileName,
                       QWidget* parent) = 0;
};

// The platform's print dialog and printer.
class SystemTextPrinter : public TextPrinter
{
public:
    bool print(const QTextDocument& document, const QString& jobTitle, const QString& fileName,
               QWidget* parent) override;
    // The print-to-file name the dialog offers: fileName in the user's documents folder (the home
    // folder when there is none).
    static QString printFilePath(const QString& fileName);
};

// Records each job instead of printing; confirms unless told not to. For tests.
class RecordingTextPrinter : public TextPrinter
{
public:
    struct Job
    {
        QString title;
        QString fileName;
        QString text;
        QString html;
    };

    bool print(const QTextDocument& document, const QString& jobTitle, const QString& fileName,
               QWidget* parent) override;

    bool confirm = true;
    int dialogs = 0;
    std::vector<Job> jobs;
};

} // namespace taviro
