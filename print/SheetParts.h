// The parts of the printed sheet, each drawn on its page after the two heading lines.
#pragma once

#include "PageDrawing.h"
#include "PrintedRecord.h"

#include <string_view>

namespace taviro::print {

// What the parts share: the page and the record it prints.
struct SheetPage
{
    PageDrawing& draw;
    const LoadedLines& record;

    QString value(std::string_view key) const { return loadedValue(record, key); }
    // A label at the left margin and its value in bold on the same line.
    void labelled(int labelX, int valueX, int valueWidth, int y, const QString& label, std::string_view key) const;
    // A bordered caption strip: Box(x, y, w, h) with its text 50 units in and 25 down.
    void captionStrip(const Area& area, const QString& caption) const;
    // A value in bold, centred, and its caption in small type below it.
    void valueOver(const Area& value, const Area& caption, std::string_view key, const QString& text) const;
};

void drawPartA(const SheetPage& page);
void drawPartB(const SheetPage& page);
void drawPartC(const SheetPage& page);
void drawPartD(const SheetPage& page);
void drawPartE(const SheetPage& page);

} // namespace taviro::print
