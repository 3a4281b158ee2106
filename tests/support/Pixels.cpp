#include "support/Pixels.h"

Colour colourAt(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return static_cast<Colour>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16);
}

QRect drawnBounds(const QImage& image, Colour background) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colourAt(image, x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect colourBounds(const QImage& image, Colour colour) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colourAt(image, x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int pixelsOfColour(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

void PrintTo(const QRect& rect, std::ostream* out) {
    if (rect.isEmpty())
        *out << "(nothing)";
    else
        *out << "(" << rect.x() << ", " << rect.y() << ") " << rect.width() << " x " << rect.height();
}
