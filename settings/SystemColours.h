#pragma once
// Colours of the dialog's model on screen: plain 0x00BBGGRR values, and the
// system colours (0x80000000 + n) taken from the palette in use.

#include <QColor>

#include <cstdint>

class QPalette;

// The colour `value` stands for. System colours: window text, active border
// and inactive border map to the palette's window text and window face (the
// face the borders share); any other system colour gives the window face.
QColor dialogColour(std::uint32_t value, const QPalette& palette);
