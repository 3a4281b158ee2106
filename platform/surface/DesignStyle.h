#pragma once
// The look the windows are designed with: their two Japanese font faces and
// colours given as 0x00BBGGRR.

#include <QColor>
#include <QFont>

#include <cstdint>

enum class DesignFace {
    Gothic,             // "ＭＳ ゴシック", fixed pitch
    ProportionalGothic, // "ＭＳ Ｐゴシック"
};

// The face at `points`, with installed Japanese fallbacks behind the design
// name so the text renders wherever that font is missing.
QFont designFont(DesignFace face, double points);

// A colour given as 0x00BBGGRR (red in the low byte).
QColor colourFromBgr(std::uint32_t bgr);
