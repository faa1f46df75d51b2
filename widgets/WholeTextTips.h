// Items of a list or tree whose text does not fit show it whole in a tool tip.
#pragma once

class QAbstractItemView;

namespace taviro::widgets {

// From now on, resting the mouse on an item of view whose text is cut (elided, or running past
// the visible part of the view) shows the whole text in a tool tip; other items show none.
void showWholeTextOfCutItems(QAbstractItemView* view);

} // namespace taviro::widgets
