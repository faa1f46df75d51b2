// The notification of the first interview: the one-page letter to the employee and, as its
// attachments, the page of the employee's statutory duties and the five pages of the list of the
// 34 appraisal criteria. Every page is a print job of its own.
#pragma once

#include "PrintedRecord.h"

#include <QString>

namespace taviro::print {

class PrintCanvas;

// The print selection: one bit each.
inline constexpr int kLetter = 1;
inline constexpr int kAttachments = 2;

QString letterJobTitle();
QString attachmentsJobTitle();

// The sentence that summons the employee, with the interview's date and its time without seconds.
QString summonsSentence(const LoadedLines& printData);

// Prints the letter when the selection has kLetter, then the attachments when it has kAttachments.
// The print data are key=value lines (see NotificationData.h).
void printNotification(PrintCanvas& canvas, const LoadedLines& printData, int selection);

} // namespace taviro::print
