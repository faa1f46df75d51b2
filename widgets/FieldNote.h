// A short note at an entry field: why something typed or pasted was not taken, why a date cannot
// be stored. It floats just below the field (objectName TaviroFieldNote) until the field loses the
// focus, another note comes or a few seconds pass, and it stands in the status bar of the window for
// as long.
#pragma once

#include <QString>

class QWidget;

namespace taviro::widgets {

inline constexpr int kFieldNoteMs = 5000;

void showFieldNote(QWidget* field, const QString& text);
// The note on the screen now; empty when there is none.
QString shownFieldNote();

} // namespace taviro::widgets
