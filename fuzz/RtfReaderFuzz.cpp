// libFuzzer entry for the RTF reader: any bytes must be read and laid out without a crash, a hang
// or a leak.
#include "RtfReader.h"

#include <QByteArrayView>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTextDocument document;
    taviro::RtfReader::read(QByteArrayView(data, static_cast<qsizetype>(size)), document);
    // Lay the text out as the help box does, so that every format the reader made is used.
    document.setTextWidth(500);
    (void)document.size();
    return 0;
}
