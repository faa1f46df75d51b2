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
    // Returns whether it was printed.
    virtual bool print(const QTextDocument& document, const QString& jobTitle, QWidget* parent) = 0;
};

// The platform's print dialog and printer.
class SystemTextPrinter : public TextPrinter
{
public:
    bool print(const QTextDocument& document, const QString& jobTitle, QWidget* parent) override;
};

// Records each job instead of printing; confirms unless told not to. For tests.
class RecordingTextPrinter : public TextPrinter
{
public:
    struct Job
    {
        QString title;
        QString text;
        QString html;
    };

    bool print(const QTextDocument& document, const QString& jobTitle, QWidget* parent) override;

    bool confirm = true;
    int dialogs = 0;
    std::vector<Job> jobs;
};

} // namespace taviro
