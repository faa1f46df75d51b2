// A small reader of the rich-text format (RTF): enough of it for the help texts and documents
// delivered beside the program, and safe on anything else a file may hold.
#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace taviro {

class RtfReader
{
public:
    // Replaces the content of document by the formatted text of rtf. Never fails: whatever is not
    // understood is left out, and malformed input gives whatever text can be made of it. Single
    // bytes (\'hh and raw bytes above 127) are Windows-1250 whatever the file's \fcharset says.
    static void read(QByteArrayView rtf, QTextDocument& document);

    // True when the bytes begin as a rich-text file does ("{\rtf").
    static bool looksLikeRtf(QByteArrayView bytes);

    // Groups nested deeper than this are read as part of the group at this depth.
    static constexpr int kMaximumGroupDepth = 1000;
};

} // namespace taviro
