#include "widgets/ImagePrinting.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kLeftMillimetres = 10;

// What the printer prints on: the printer's name, or the file of a PDF
// printer; empty when it has nowhere to print.
QString destination(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
}

Error fail(std::string description) {
    return Error{kErrPrinter, std::move(description)};
}

} // namespace

std::unique_ptr<QPrinter> defaultPrinter() {
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

Result<> printImage(QPrinter& printer, const QImage& image, double imageDpi) {
    const QString target = destination(printer);
    if (target.isEmpty())
        return fail("There is no default printer to print on: no printer is installed, or none is "
                    "set as the default.");
    if (image.isNull() || !std::isfinite(imageDpi) || imageDpi <= 0)
        return fail("There is no picture to print.");

    printer.setDocName(QStringLiteral("Trendola"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return fail("The printer \"" + target.toStdString() + "\" could not begin the page.");

    // The painter's origin is the printable area's top-left corner, in the
    // printer's dots.
    const double dotsPerMillimetre = printer.resolution() / kMillimetresPerInch;
    const double scale = printer.resolution() / imageDpi;
    painter.drawImage(
        QRectF(kLeftMillimetres * dotsPerMillimetre, 0, image.width() * scale, image.height() * scale),
        image);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail("The printer \"" + target.toStdString() + "\" could not print the page.");
    return {};
}
