#include "settings/SystemColours.h"

#include "surface/DesignStyle.h"

#include <QPalette>

namespace {

constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
constexpr std::uint32_t kWindowText = 8;
constexpr std::uint32_t kActiveBorder = 10;
constexpr std::uint32_t kInactiveBorder = 11;

} // namespace

QColor dialogColour(std::uint32_t value, const QPalette& palette) {
    if ((value & kSystemColourFlag) == 0)
        return colourFromBgr(value);
    switch (value & ~kSystemColourFlag) {
    case kWindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case kInactiveBorder:
        return palette.color(QPalette::Inactive, QPalette::Window);
    case kActiveBorder:
    default:
        return palette.color(QPalette::Active, QPalette::Window);
    }
}
