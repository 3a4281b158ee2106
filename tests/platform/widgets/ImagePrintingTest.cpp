// Printing from the menu, with the printer pointed at a PDF file whose page
// is read back as a picture, and printers that cannot print.

#include "monitor/Monitor.h"
#include "surface/RasterSurface.h"
#include "tests/secondary/ImageCommandsFixture.h"
#include "support/Pixels.h"

#include <QAction>
#include <QImage>
#include <QMarginsF>
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

TEST_F(ImageCommandsTest, PrintsTheGraphAsItIsTenMillimetresIntoAnA4LandscapePage) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) reads the page back; scripts/setup.sh installs it";
    drawGraph();
    const QImage graph = shown();
    const double dpi = session.surface().logicalDpi();
    // The margins are the printable area's: the picture's place is measured from it.
    const double margin = 5;
    const std::string pdf = dir.file("page.pdf");
    printer = [&] { return pdfPrinter(pdf, margin); };
    window->printImageAction->trigger();
    EXPECT_EQ(lastMessage(), "");
    EXPECT_EQ(shown(), graph) << "nothing is drawn on the graph";

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
    const QRect printed = drawnBounds(page, kWhite);
    const QRect expected(std::lround((margin + 10) * 10), std::lround(margin * 10),
                         std::lround(graph.width() * dotsPerPixel),
                         std::lround(graph.height() * dotsPerPixel));
    for (const auto& [edge, at, want] : {std::tuple("left", printed.left(), expected.left()),
                                         std::tuple("top", printed.top(), expected.top()),
                                         std::tuple("right", printed.right(), expected.right()),
                                         std::tuple("bottom", printed.bottom(), expected.bottom())})
        EXPECT_NEAR(at, want, 2) << edge;
}

TEST_F(ImageCommandsTest, APrinterThatCannotPrintIsReportedAndNothingIsWritten) {
    drawGraph();
    const QImage graph = shown();
    const std::string unwritable = dir.file("missing/page.pdf");
    const std::tuple<const char*, PrinterFactory, std::string> cases[] = {
        // What Qt hands out where no printer is installed: a PDF printer with no file.
        {"no default printer", [] { return pdfPrinter(std::string(), 0); },
         "Error: (1482) \r\nThere is no default printer to print on: no printer is installed, or none is set "
         "as the default."},
        {"no printer at all", [] { return std::unique_ptr<QPrinter>(); },
         "Error: (1482) \r\nThere is no printer to print on."},
        {"a printer that fails", [&] { return pdfPrinter(unwritable, 0); },
         "Error: (1482) \r\nThe printer \"" + unwritable + "\" could not begin the page."},
    };
    for (const auto& [what, factory, message] : cases) {
        SCOPED_TRACE(what);
        boxes.shown.clear();
        printer = factory;
        window->printImageAction->trigger();
        EXPECT_EQ(lastMessage(), message);
        EXPECT_EQ(shown(), graph);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
