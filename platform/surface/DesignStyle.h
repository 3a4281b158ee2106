#pragma once
// The look the windows are designed with: their two Japanese font faces, and
// the program's colours (base/Colour.h) as the toolkit's.

#include "base/Colour.h"

#include <QColor>
#include <QFont>

class QPalette;

enum class DesignFace {
    Gothic,             // "ＭＳ ゴシック", fixed pitch
    ProportionalGothic, // "ＭＳ Ｐゴシック"
};

// The face at `points`, with installed Japanese fallbacks behind the design
// name so the text renders wherever that font is missing.
QFont designFont(DesignFace face, double points);

// The CSS font-family list for a font the toolkit names `family`, for a
// picture read elsewhere: a design face with the installed Japanese faces
// behind it, and a generic family last, so that any reader shows Japanese.
QString cssFontFamilies(const QString& family);

// A plain colour (a system colour gives black).
QColor toQColor(Colour colour);

// Any colour, system colours resolved from `palette`: window text, active
// border and inactive border map to the palette's window text and window
// face (the face the borders share); any other system colour gives the
// window face.
QColor toQColor(Colour colour, const QPalette& palette);
