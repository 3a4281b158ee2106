#include "surface/SurfaceText.h"

#include <QString>

#include <algorithm>
#include <cmath>

double usablePointSize(double pointSize) {
    return std::isfinite(pointSize) ? std::clamp(pointSize, 1.0, 2048.0) : 9.0;
}

QFont surfaceFont(double pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(usablePointSize(pointSize));
    // Crisp single-colour text, as the chart's lines are.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QStringList splitTextLines(std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}
