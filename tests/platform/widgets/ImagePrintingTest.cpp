// Printing a picture on an A4 landscape page, with the printer pointed at a
// PDF file whose page is read back as a picture, and printers that cannot
// print.

#include "widgets/ImagePrinting.h"

#include "support/Pixels.h"
#include "support/TempDir.h"

#include <QImage>
#include <QMarginsF>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <tuple>

namespace {

constexpr int kReadBackDpi = 254; // ten dots per millimetre

std::unique_ptr<QPrinter> pdfPrinter(const std::string& path, double marginMillimetres) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    printer->setPageMargins(
        QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
        QPageLayout::Millimeter);
    return printer;
}

// A graph-like picture: black, with a yellow zigzag across it.
QImage graphPicture() {
    QImage picture(642, 136, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setPen(Qt::yellow);
    for (int x = 0; x + 20 < picture.width(); x += 20)
        painter.drawLine(x, 10, x + 10, 120);
    return picture;
}

TEST(ImagePrintingTest, PrintsThePictureAtItsSizeTenMillimetresIntoAnA4LandscapePage) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) reads the page back; scripts/setup.sh installs it";
    TempDir dir;
    const QImage graph = graphPicture();
    const double dpi = 120; // not the printer's 96: the picture's own dpi sizes it
    // The margins are the printable area's: the picture's place is measured from it.
    const double margin = 5;
    const std::string pdf = dir.file("page.pdf");
    const auto printed = printImage(*pdfPrinter(pdf, margin), graph, dpi);
    ASSERT_TRUE(printed) << printed.error().message;

    const std::string png = dir.file("page");
    ASSERT_EQ(QProcess::execute(pdftoppm, {QStringLiteral("-r"), QString::number(kReadBackDpi),
                                           QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                           QString::fromStdString(pdf), QString::fromStdString(png)}),
              0);
    const QImage page = QImage(QString::fromStdString(png + ".png")).convertToFormat(QImage::Format_RGB32);
    // 297 x 210 mm, give or take the rounding of the page's points.
    EXPECT_NEAR(page.width(), 2970, 1) << "A4 landscape";
    EXPECT_NEAR(page.height(), 2100, 1) << "A4 landscape";
    const double dotsPerPixel = kReadBackDpi / dpi;
    const QRect drawn = drawnBounds(page, kWhite);
    const QRect expected(std::lround((margin + 10) * 10), std::lround(margin * 10),
                         std::lround(graph.width() * dotsPerPixel),
                         std::lround(graph.height() * dotsPerPixel));
    for (const auto& [edge, at, want] :
         {std::tuple("left", drawn.left(), expected.left()), std::tuple("top", drawn.top(), expected.top()),
          std::tuple("right", drawn.right(), expected.right()),
          std::tuple("bottom", drawn.bottom(), expected.bottom())})
        EXPECT_NEAR(at, want, 2) << edge;
}

TEST(ImagePrintingTest, APrinterThatCannotPrintIsReportedAndNothingIsWritten) {
    TempDir dir;
    const std::string unwritable = dir.file("missing/page.pdf");
    const std::tuple<const char*, std::string, QImage, std::string> cases[] = {
        // What Qt hands out where no printer is installed: a PDF printer with no file.
        {"no default printer", std::string(), graphPicture(),
         "印刷するプリンタがありません。プリンタが無いか、通常使うプリンタが設定されていません。"},
        {"a printer that fails", unwritable, graphPicture(),
         "プリンタ「" + unwritable + "」で印刷を始められませんでした。"},
        {"no picture", dir.file("page.pdf"), QImage(), "印刷する画像がありません。"},
    };
    for (const auto& [what, file, picture, message] : cases) {
        SCOPED_TRACE(what);
        const auto printed = printImage(*pdfPrinter(file, 0), picture, 96);
        ASSERT_FALSE(printed);
        EXPECT_EQ(printed.error().code, kErrPrinter);
        EXPECT_EQ(printed.error().message, message);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
