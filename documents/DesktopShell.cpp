// The desktop shell over QDesktopServices, and the shell requests of the menu commands.
#include "DesktopShell.h"

#include "DataDirectory.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrlQuery>

namespace taviro {
namespace {

const char kProducerWebAddress[] = "https://www.velmora.pl/taviro";
const char kProducerMailAddress[] = "biuro@velmora.pl";
const char kMailSubject[] = "Rizuvura variv kwalifikacyjna";

} // namespace

void SystemDesktopShell::openDocument(const QString& directory, const QString& fileName)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(directory).absoluteFilePath(fileName)));
}

void SystemDesktopShell::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

QString referenceDocumentFileName(ReferenceDocument document)
{
    switch (document) {
    case ReferenceDocument::Regulations:
        return QStringLiteral("Regulamin.rtf");
    case ReferenceDocument::Statute:
        return QStringLiteral("Ustawa.rtf");
    }
    return {};
}

QString dataDirectoryPath(const DataDirectory& directory)
{
    return QString::fromStdString(directory.path());
}

void openReferenceDocument(DesktopShell& shell, const DataDirectory& directory, ReferenceDocument document)
{
    shell.openDocument(dataDirectoryPath(directory), referenceDocumentFileName(document));
}

QUrl producerWebAddress()
{
    return QUrl(QString::fromLatin1(kProducerWebAddress));
}

QUrl producerMailLink()
{
    QUrl link;
    link.setScheme(QStringLiteral("mailto"));
    link.setPath(QString::fromLatin1(kProducerMailAddress));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromUtf8(kMailSubject));
    link.setQuery(query);
    return link;
}

void openProducerWebPage(DesktopShell& shell)
{
    shell.openUrl(producerWebAddress());
}

void openProducerMail(DesktopShell& shell)
{
    shell.openUrl(producerMailLink());
}

} // namespace taviro
