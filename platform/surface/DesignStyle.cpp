#include "surface/DesignStyle.h"

#include <QPalette>
#include <QStringList>

QFont designFont(DesignFace face, double points) {
    QFont font;
    if (face == DesignFace::Gothic)
        font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                          QStringLiteral("Noto Sans Mono CJK JP")});
    else
        font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                          QStringLiteral("Noto Sans CJK JP")});
    // Guides the fallback when none of the named families is installed.
    font.setStyleHint(face == DesignFace::Gothic ? QFont::Monospace : QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

QColor toQColor(Colour colour) {
    if (isSystemColour(colour))
        return QColor(Qt::black);
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

QColor toQColor(Colour colour, const QPalette& palette) {
    switch (colour) {
    case kWindowTextColour:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case kInactiveBorderColour:
        return palette.color(QPalette::Inactive, QPalette::Window);
    default:
        if (isSystemColour(colour))
            return palette.color(QPalette::Active, QPalette::Window);
        return toQColor(colour);
    }
}
