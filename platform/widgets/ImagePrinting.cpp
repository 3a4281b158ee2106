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
        return fail("印刷するプリンタがありません。プリンタが無いか、通常使うプリンタが設定されていません。");
    if (image.isNull() || !std::isfinite(imageDpi) || imageDpi <= 0)
        return fail("印刷する画像がありません。");

    printer.setDocName(QStringLiteral("Trendola"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return fail("プリンタ「" + target.toStdString() + "」で印刷を始められませんでした。");

    // The painter's origin is the printable area's top-left corner, in the
    // printer's dots.
    const double dotsPerMillimetre = printer.resolution() / kMillimetresPerInch;
    const double scale = printer.resolution() / imageDpi;
    painter.drawImage(
        QRectF(kLeftMillimetres * dotsPerMillimetre, 0, image.width() * scale, image.height() * scale),
        image);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail("プリンタ「" + target.toStdString() + "」で印刷できませんでした。");
    return {};
}
