#pragma once

class QWidget;

namespace lumadex {

// Centres a dialog on the mouse pointer and moves it back inside the screen under the pointer
// where it would stick out.
void PlaceDialogAtCursor(QWidget& dialog);

} // namespace lumadex
