// How the program presents itself to the desktop: its own icon on every window and dialog, the
// desktop entry it belongs to (taviro.desktop), and captions exactly as the program words them.
#pragma once

namespace taviro::ui {

// The name of the desktop entry and of the icon files that go with it.
inline constexpr char kDesktopEntryName[] = "taviro";

// Called once, by the main window, before any window is shown.
void presentProgram();

} // namespace taviro::ui
