#include "surface/DesignStyle.h"

#include <QPalette>
#include <QStringList>

namespace {

QStringList familiesOf(DesignFace face) {
    if (face == DesignFace::Gothic)
        return {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                QStringLiteral("Noto Sans Mono CJK JP")};
    return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
            QStringLiteral("Noto Sans CJK JP")};
}

QString cssList(const QStringList& families, const QString& generic) {
    QStringList quoted;
    for (const QString& family : families)
        quoted << (family.contains(QLatin1Char(' ')) ? QLatin1Char('\'') + family + QLatin1Char('\'')
                                                     : family);
    return (quoted << generic).join(QStringLiteral(", "));
}

} // namespace

QString cssFontFamilies(const QString& family) {
    for (const DesignFace face : {DesignFace::Gothic, DesignFace::ProportionalGothic}) {
        const QStringList families = familiesOf(face);
        if (families.contains(family))
            return cssList(families, face == DesignFace::Gothic ? QStringLiteral("monospace")
                                                                : QStringLiteral("sans-serif"));
    }
    return cssList({family}, QStringLiteral("sans-serif"));
}

QFont designFont(DesignFace face, double points) {
    QFont font;
    font.setFamilies(familiesOf(face));
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
