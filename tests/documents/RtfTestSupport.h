// Helpers for looking at what the RTF reader made of a sample.
#pragma once

#include "RtfReader.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

#include <memory>
#include <vector>

namespace taviro::test {

// One run of equally formatted text, in document order.
struct TextRun
{
    QString text;
    QTextCharFormat format;
    int block = 0;

    bool bold() const { return format.fontWeight() == QFont::Bold; }
};

inline std::unique_ptr<QTextDocument> readRtf(QByteArrayView rtf)
{
    auto document = std::make_unique<QTextDocument>();
    RtfReader::read(rtf, *document);
    return document;
}

inline std::vector<TextRun> runsOf(const QTextDocument& document)
{
    std::vector<TextRun> runs;
    int blockNumber = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++blockNumber) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            if (part.isValid())
                runs.push_back({part.text(), part.charFormat(), blockNumber});
        }
    }
    return runs;
}

// The run whose text contains the given text; a default run when there is none.
inline TextRun runWith(const QTextDocument& document, const QString& text)
{
    for (const TextRun& run : runsOf(document))
        if (run.text.contains(text))
            return run;
    return {};
}

} // namespace taviro::test
