// Producing documents from templates and opening them.
#include "Templates.h"

#include "Counters.h"
#include "DesktopShell.h"
#include "SharedFiles.h"

#include <QDir>
#include <QFileInfo>

namespace taviro {

Templates::Templates(SharedFileAccess& files, Counters& counters, DesktopShell& shell)
    : m_files(files), m_counters(counters), m_shell(shell)
{}

void Templates::produceAndOpen(const QString& templateName, const QString& targetDirectory, const QString& targetName)
{
    const std::string source = m_files.fullPath(templateName.toStdString());
    const QString target = QDir::toNativeSeparators(QDir(targetDirectory).filePath(targetName));
    SharedFileAccess::copyFile(source, target.toStdString());
    m_shell.openDocument(targetDirectory, targetName);
}

QString Templates::openWorkingCopy(const QString& templateName)
{
    const QString unique = QString::fromStdString(m_counters.next(Counter::Unique));
    const QString name = unique + QFileInfo(templateName).completeBaseName() + QStringLiteral(".rtf");
    produceAndOpen(templateName, temporaryDirectory(), name);
    return name;
}

QString Templates::openInterviewNotes(const QString& storedName)
{
    QString name = storedName;
    if (name.isEmpty())
        name =
            QStringLiteral("Do") + QString::fromStdString(m_counters.next(Counter::Document)) + QStringLiteral(".rtf");
    const QString directory = dataDirectoryPath(m_files.directory());
    if (m_files.exists(name.toStdString()))
        m_shell.openDocument(directory, name);
    else
        produceAndOpen(QString::fromLatin1(kInterviewNotesTemplate), directory, name);
    return name;
}

QString Templates::temporaryDirectory() const
{
    return QString::fromStdString(m_files.fullPath("Temp/"));
}

} // namespace taviro
