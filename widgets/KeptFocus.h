// The keyboard focus of a panel that is disabled for a while (the navigation panel while the
// commands are locked around a dialog or a page) comes back to it when it is enabled again.
#pragma once

class QWidget;

namespace taviro::widgets {

// From now on: when panel is enabled again and the focus of its window rests on no visible, enabled
// control inside area (a disabled control lets go of the focus, and a closed page or dialog leaves
// it nowhere), the control of panel that had the focus last takes it back. Where the focus has come
// to rest inside area meanwhile (a page put it somewhere on purpose), it stays there.
void keepFocusAcrossDisabling(QWidget* panel, QWidget* area);

} // namespace taviro::widgets
