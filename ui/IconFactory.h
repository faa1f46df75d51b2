// The program's own small icons, drawn in code so that they look the same on every desktop.
#pragma once

#include "CommandTable.h"

#include <QIcon>

namespace taviro::ui {

QIcon commandIcon(IconKind kind);

} // namespace taviro::ui
