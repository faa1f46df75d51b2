// Loading help texts into read-only text boxes.
#include "HelpText.h"

#include "DataDirectory.h"
#include "RtfReader.h"
#include "TextCodec.h"

#include <QFile>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include <string_view>

namespace taviro {

void HelpText::load(const DataDirectory& directory, const QString& fileName, QTextEdit& box)
{
    QFile file(QString::fromStdString(directory.file(fileName.toStdString())));
    if (!file.open(QIODevice::ReadOnly)) {
        box.clear();
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        box.clear();
        return;
    }
    show(bytes, box);
}

void HelpText::show(const QByteArray& bytes, QTextEdit& box)
{
    if (RtfReader::looksLikeRtf(bytes)) {
        box.clear();
        RtfReader::read(bytes, *box.document());
    } else {
        QString text = QString::fromStdString(
            cp1250ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        text.remove(QChar(u'\0'));
        // The box would otherwise write the text in the format its cursor kept from the
        // previous (formatted) help text.
        box.clear();
        box.setCurrentCharFormat(QTextCharFormat());
        box.setPlainText(text);
    }
    box.moveCursor(QTextCursor::Start);
}

} // namespace taviro
