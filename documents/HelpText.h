// Help texts: files in the data directory shown read-only in the hint boxes and the help dialog.
#pragma once

#include <QByteArray>
#include <QString>

class QTextEdit;

namespace taviro {

class DataDirectory;

class HelpText
{
public:
    // Shows the file fileName of the data directory in box; a missing or unreadable file leaves
    // the box empty.
    static void load(const DataDirectory& directory, const QString& fileName, QTextEdit& box);

    // Shows the bytes of a help text: formatted when they are RTF, otherwise as plain
    // Windows-1250 text.
    static void show(const QByteArray& bytes, QTextEdit& box);
};

} // namespace taviro
