#include "mainwin/ToggleTitleBar.h"

#include <QVariant>
#include <QWidget>

namespace {

// Whether the window was frameless before the caption was first toggled
// here: removing a caption makes a window frameless too, and that must not
// turn it into a window made without a frame.
constexpr char kMadeFrameless[] = "trendolaMadeFrameless";

bool madeFrameless(QWidget& window) {
    const QVariant recorded = window.property(kMadeFrameless);
    if (recorded.isValid())
        return recorded.toBool();
    const bool frameless = window.windowFlags().testFlag(Qt::FramelessWindowHint);
    window.setProperty(kMadeFrameless, frameless);
    return frameless;
}

} // namespace

void changeWindowFlag(QWidget& window, Qt::WindowType flag, bool on) {
    if (window.windowFlags().testFlag(flag) == on)
        return;
    const QSize client = window.size();
    const bool shown = window.isVisible();
    // The toolkit puts the window back where it was; the size is kept here
    // in case the new frame would change it.
    window.setWindowFlag(flag, on);
    window.resize(client);
    if (shown)
        window.show();
}

bool toggleTitleBar(QWidget& window, bool evenIfFrameless) {
    if (madeFrameless(window)) {
        if (!evenIfFrameless)
            return false;
    } else if (window.windowTitle().isEmpty() && !window.windowFlags().testFlag(Qt::WindowSystemMenuHint)) {
        return false;
    }
    const bool adding = window.windowFlags().testFlag(Qt::FramelessWindowHint);
    changeWindowFlag(window, Qt::FramelessWindowHint, !adding);
    return true;
}
