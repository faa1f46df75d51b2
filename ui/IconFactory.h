// The program's own small icons, drawn in code so that they look the same on every desktop.
#pragma once

#include "CommandTable.h"

#include <QIcon>

namespace taviro::ui {

QIcon commandIcon(IconKind kind);

// The program's own icon: an appraisal sheet with a tick, drawn afresh for each size (16 to 256
// pixels) so that the small ones stay sharp.
QIcon programIcon();
// The icon at one size, as the desktop entry's icon files hold it.
QPixmap programPixmap(int size);
inline constexpr int kProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

} // namespace taviro::ui
