// Printing from the menu, with the printer pointed at a PDF file whose page
// is read back as a picture, and printers that cannot print.

#include "core/MonitorState.h"
#include "platform/surface/RasterSurface.h"
#include "tests/secondary/ImageCommandsFixture.h"

#include <QAction>
#include <QImage>
#include <QMarginsF>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

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

// Everything on the page that is not (nearly) white paper.
QRect printedBounds(const QImage& page) {
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    int left = grey.width(), top = grey.height(), right = -1, bottom = -1;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            if (line[x] < 200) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

void expectNear(const QRect& actual, const QRect& expected, int tolerance) {
    EXPECT_NEAR(actual.left(), expected.left(), tolerance) << "left";
    EXPECT_NEAR(actual.top(), expected.top(), tolerance) << "top";
    EXPECT_NEAR(actual.right(), expected.right(), tolerance) << "right";
    EXPECT_NEAR(actual.bottom(), expected.bottom(), tolerance) << "bottom";
}

TEST_F(ImageCommandsTest, PrintsTheGraphAsItIsTenMillimetresIntoAnA4LandscapePage) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) reads the page back; scripts/setup.sh installs it";
    drawGraph();
    const QImage graph = shown();
    const double dpi = session.surface().logicalDpi();
    // The margins are the printable area's: the picture's place is measured from it.
    for (double margin : {0.0, 5.0}) {
        SCOPED_TRACE(margin);
        const std::string pdf = dir.file("page.pdf");
        printer = [&] { return pdfPrinter(pdf, margin); };
        window->mnuPrint->trigger();
        EXPECT_EQ(lastMessage(), "");
        EXPECT_EQ(shown(), graph) << "nothing is drawn on the graph";

        const std::string png = dir.file("page");
        ASSERT_EQ(QProcess::execute(pdftoppm, {QStringLiteral("-r"), QString::number(kReadBackDpi),
                                               QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                               QString::fromStdString(pdf), QString::fromStdString(png)}),
                  0);
        const QImage page(QString::fromStdString(png + ".png"));
        ASSERT_FALSE(page.isNull());
        // 297 x 210 mm, give or take the rounding of the page's points.
        EXPECT_NEAR(page.width(), 2970, 1) << "A4 landscape";
        EXPECT_NEAR(page.height(), 2100, 1) << "A4 landscape";
        const double dotsPerPixel = kReadBackDpi / dpi;
        const QRect expected(std::lround((margin + 10) * 10), std::lround(margin * 10),
                             std::lround(graph.width() * dotsPerPixel),
                             std::lround(graph.height() * dotsPerPixel));
        expectNear(printedBounds(page), expected, 2);
    }
}

TEST_F(ImageCommandsTest, APrinterThatCannotPrintIsReportedAndNothingIsWritten) {
    drawGraph();
    const QImage graph = shown();
    const std::string unwritable = dir.file("missing/page.pdf");
    const struct {
        const char* what;
        PrinterFactory factory;
        std::string message;
    } cases[] = {
        // What Qt hands out where no printer is installed: a PDF printer with no file.
        {"no default printer", [] { return pdfPrinter(std::string(), 0); },
         "Error: (1482) \r\nThere is no default printer to print on: no printer is installed, or none is set "
         "as the default."},
        {"no printer at all", [] { return std::unique_ptr<QPrinter>(); },
         "Error: (1482) \r\nThere is no printer to print on."},
        {"a printer that fails", [&] { return pdfPrinter(unwritable, 0); },
         "Error: (1482) \r\nThe printer \"" + unwritable + "\" could not begin the page."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.shown.clear();
        printer = c.factory;
        window->mnuPrint->trigger();
        EXPECT_EQ(lastMessage(), c.message);
        EXPECT_EQ(shown(), graph);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
