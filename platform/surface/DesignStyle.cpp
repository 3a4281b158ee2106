#include "surface/DesignStyle.h"

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

QColor colourFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}
