#pragma once
// The font and line splitting of text printed onto the drawing surface.

#include <QFont>
#include <QStringList>

#include <string_view>

// A point size the fonts can take: 1..2048, and 9 where `pointSize` is not a number.
double usablePointSize(double pointSize);

// The surface's proportional Japanese Gothic at the usable `pointSize`,
// falling back to the Japanese fonts a Linux system has.
QFont surfaceFont(double pointSize);

// The lines of UTF-8 `text`: CR LF, a lone LF and a lone CR each end a line.
// An empty text is one empty line. Bytes that are not UTF-8 become U+FFFD.
QStringList splitTextLines(std::string_view utf8);
