#pragma once
// Changing a window's frame while it shows: the caption bar on and off, and
// other window flags such as staying on top.

#include <Qt>

class QWidget;

// Turns `flag` on or off for `window`, keeping its place, the size of its
// client area and whether it shows. The toolkit hides a window whose flags
// change; it is shown again here. Where a new frame goes around the client
// area (whether the outer corner or the client area stays put) is the window
// manager's choice, the same for every change of the frame.
void changeWindowFlag(QWidget& window, Qt::WindowType flag, bool on);

// Removes the caption bar of `window` when it has one and adds it when it
// has none, as changeWindowFlag does. True when it toggled.
// - A window made without any frame (frameless when first seen here) is
//   toggled only when `evenIfFrameless` is true.
// - A framed window without a title text and without a system menu has no
//   caption bar to toggle: nothing happens.
bool toggleTitleBar(QWidget& window, bool evenIfFrameless);
