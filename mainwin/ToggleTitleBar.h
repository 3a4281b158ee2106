#pragma once
// Changing a window's frame while it shows: the caption bar on and off, and
// other window flags such as staying on top.

#include <Qt>

class QWidget;

// Turns `flag` on or off for `window`, keeping its place (the outer top-left
// corner), the size of its client area and whether it shows. The toolkit
// hides a window whose flags change; it is shown again here.
void changeWindowFlag(QWidget& window, Qt::WindowType flag, bool on);

// Removes the caption bar of `frmTarget` when it has one and adds it when it
// has none, keeping the client area's size and the window's place. True
// when it toggled.
// - A window made without any frame (frameless when first seen here) is
//   toggled only when `blnBorderless` is true.
// - A framed window without a title text and without a system menu has no
//   caption bar to toggle: nothing happens.
bool ToggleTitleBar(QWidget& frmTarget, bool blnBorderless);
