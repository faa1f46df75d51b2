// The desktop shell: opening documents, web addresses and mail links with the user's default
// applications. The program never learns whether the application started.
#pragma once

#include <QString>
#include <QUrl>

#include <vector>

namespace taviro {

class DataDirectory;

class DesktopShell
{
public:
    virtual ~DesktopShell() = default;
    // Opens fileName, relative to directory, with the application the desktop associates with it.
    virtual void openDocument(const QString& directory, const QString& fileName) = 0;
    // Opens a web address in the browser or a mailto: link in the mail program.
    virtual void openUrl(const QUrl& url) = 0;
};

// The shell of the running desktop (QDesktopServices). Failures are the desktop's to report.
class SystemDesktopShell : public DesktopShell
{
public:
    void openDocument(const QString& directory, const QString& fileName) override;
    void openUrl(const QUrl& url) override;
};

// Remembers every request instead of opening anything; for tests.
class RecordingDesktopShell : public DesktopShell
{
public:
    struct Document
    {
        QString directory;
        QString fileName;
        bool operator==(const Document&) const = default;
    };

    void openDocument(const QString& directory, const QString& fileName) override
    {
        documents.push_back({directory, fileName});
    }
    void openUrl(const QUrl& url) override { urls.push_back(url); }

    std::vector<Document> documents;
    std::vector<QUrl> urls;
};

// The two reference documents of the "Dokumenty" menu, kept in the data directory.
enum class ReferenceDocument
{
    Regulations, // Regulamin.rtf
    Statute,     // Ustawa.rtf
};

QString referenceDocumentFileName(ReferenceDocument document);

// The data directory as the shell is given it: the working folder of every document opened there.
QString dataDirectoryPath(const DataDirectory& directory);

// Opens the reference document in place, whether it exists or not.
void openReferenceDocument(DesktopShell& shell, const DataDirectory& directory, ReferenceDocument document);

// The producer's web page and a new mail message to the producer.
QUrl producerWebAddress();
QUrl producerMailLink();
void openProducerWebPage(DesktopShell& shell);
void openProducerMail(DesktopShell& shell);

} // namespace taviro
