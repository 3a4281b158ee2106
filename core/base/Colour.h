#pragma once
// The program's one colour vocabulary: a colour as 0x00BBGGRR (red in the
// low byte, blue in the high one), or one of the platform's system colours,
// kSystemColour + its index, which a window resolves from its palette.

#include <cstdint>

using Colour = std::uint32_t;

inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kCyan = 0xFFFF00;
inline constexpr Colour kDarkGreen = 0x008000;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kGrey = 0x808080;

inline constexpr Colour kSystemColour = 0x80000000;
inline constexpr Colour kWindowTextColour = kSystemColour + 8;
inline constexpr Colour kActiveBorderColour = kSystemColour + 10;   // a locked field's background
inline constexpr Colour kInactiveBorderColour = kSystemColour + 11; // a display-only field's background

inline constexpr bool isSystemColour(Colour colour) {
    return (colour & kSystemColour) != 0;
}
