// The printed appraisal sheet: any selection of its parts A to E, each one page and one print job
// of its own, drawn from the printed record (see PrintedRecord.h).
#pragma once

#include "PrintedRecord.h"

#include <QString>

namespace taviro::print {

class PrintCanvas;

// The parts mask: one bit per part.
inline constexpr int kPartA = 1;
inline constexpr int kPartB = 2;
inline constexpr int kPartC = 4;
inline constexpr int kPartD = 8;
inline constexpr int kPartE = 16;
inline constexpr int kAllParts = kPartA | kPartB | kPartC | kPartD | kPartE;
inline constexpr int kPartCount = 5;

// "Wydruk części A ..." to "Wydruk części E ...", for part 0 (A) to 4 (E).
QString partJobTitle(int part);

// The month of the written appraisal in the locative ("Styczniu" … "Grudniu") for a stored value
// "0" to "11"; empty for any other value.
QString monthInLocative(const QString& storedValue);

// Prints the parts of the mask in the order A to E.
void printSheet(PrintCanvas& canvas, const LoadedLines& record, int partsMask);

} // namespace taviro::print
