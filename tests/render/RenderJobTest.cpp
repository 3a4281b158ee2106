// trendola-render's job in-process: the summary, the pictures and the exit
// status for fixture files; pictures beyond the bare graph: annotated, at a
// device pixel ratio, and as SVG.

#include "render/RenderJob.h"

#include "models/AnnotationLayout.h"
#include "render/RenderOptions.h"
#include "support/Pixels.h"
#include "support/TempDir.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>

namespace {

struct RenderJobTest : testing::Test {
    TempDir dir;
    std::string out = dir.file("out");
    std::vector<std::string> errors;

    RenderJobTest() { std::filesystem::create_directory(out); }

    // Renders `content` as data.csv with the options of `arguments`.
    RenderResult render(const std::string& content, std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), {"-o", out});
        arguments.push_back(dir.write("data.csv", content));
        const auto parsed = parseRenderOptions(arguments);
        if (!parsed) {
            ADD_FAILURE() << parsed.error().message;
            return {-1, std::nullopt};
        }
        return runRenderJob(*parsed, [this](const std::string& e) { errors.push_back(e); });
    }
    std::string summaryOf(const RenderResult& result) const {
        return result.summary ? formatSummary(*result.summary) : "(none)";
    }
    // Renders 10, 20, 30 into a folder of its own (the last -o wins); the picture's path.
    std::string picturePath(const std::string& name, std::vector<std::string> arguments) {
        const std::string folder = dir.file(name);
        std::filesystem::create_directory(folder);
        arguments.insert(arguments.begin(), {"-o", folder});
        const RenderResult result = render("10\n20\n30\n", arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(errors.empty()) << testing::PrintToString(errors);
        return folder + "/" + result.summary->images.back();
    }
    QImage picture(const std::string& name, const std::vector<std::string>& arguments) {
        return QImage(QString::fromStdString(picturePath(name, arguments)));
    }
};

TEST_F(RenderJobTest, ReplaysIntoTheSummaryAndTheChart) {
    const RenderResult result = render("10\n20\n30\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(summaryOf(result), "info: 3行目を表示中... 4行 表示完了\n"
                                 "head: 表示項目数:500\n"
                                 "max: Max: 30\n"
                                 "now: Now: 30\n"
                                 "min: Min: 0\n"
                                 "scale: 40 | 30 | 20 | 10 | 0\n"
                                 "result: true\n"
                                 "image: data.bmp\n");
    EXPECT_EQ(readFile(out + "/data.bmp").substr(0, 2), "BM");
    const QImage image(QString::fromStdString(out + "/data.bmp"));
    ASSERT_EQ(image.size(), QSize(577, 145));
    // The newest sample, 30 on a 0..40 scale, is at the right edge, a quarter
    // of the way down: in the last column the line reaches up to row 36.
    EXPECT_NEAR(colourBounds(image.copy(576, 0, 1, image.height()), kYellow).top(), 37, 1);
    EXPECT_EQ(image.pixelColor(300, 29), QColor(Qt::red)) << "the threshold line at 80 %";
}

TEST_F(RenderJobTest, SummaryLinesFollowTheLabels) {
    const std::tuple<std::string, std::vector<std::string>, std::string> cases[] = {
        {"time,temp\n1,5\n2,6\n", {"--column", "2"}, "result: true\n"},
        {"1,5\n2,a\\b\n", {"--column", "2"}, "error: 数値データではありません。row=2\\na\\\\b\n"},
        {"1\n\x95\x5c\n", {"--encoding", "Shift_JIS"}, "row=2\\n表\n"},
        {"1\n\x95\x5c\n", {"--encoding", "UTF-8"}, "row=2\\n\xEF\xBF\xBD\\\\\n"},
        {"1E300\n-1E300\n2.5e1\n", {}, "scale: 2E+300 | 1E+300 | 0 | -1E+300 | -2E+300\n"},
        {"9e307\n-8e307\n", {}, "scale: 1E+308 | 5.25E+307 | 5E+306 | -4.25E+307 | -9E+307\n"},
        {"\"time\",\"temp\"\r\n\"2026-01-01 00:00\",\"12.5\"\r\n", {"--column", "2"}, "now: Now: 12.5\n"},
    };
    for (const auto& [content, arguments, line] : cases) {
        const RenderResult result = render(content, arguments);
        EXPECT_EQ(result.status, 0) << "a replay that ran to its end";
        EXPECT_NE(summaryOf(result).find(line), std::string::npos) << summaryOf(result);
    }
    EXPECT_EQ(summaryOf(render("1\n2\n")).find("error:"), std::string::npos)
        << "the error line only while it applies";
}

TEST_F(RenderJobTest, SavesThePicturesInTheChosenFormatInOrder) {
    std::string lines;
    for (int i = 1; i <= 300; ++i)
        lines += std::to_string(i % 50) + "\n";
    const RenderResult result =
        render(lines, {"--sweeps", "--page", "2", "--page-size", "100", "--format", "png"});
    EXPECT_EQ(result.summary->status, "101行目から201行目を表示");
    EXPECT_EQ(result.summary->images, (std::vector<std::string>{"data2.png", "data3.png", "data.png"}));
    EXPECT_FALSE(QImage(QString::fromStdString(out + "/data3.png")).isNull());
}

TEST_F(RenderJobTest, FailuresEndWithStatusOneAndLoseNothing) {
    std::filesystem::create_directory(out + "/data1.bmp"); // in the way of the first sweep picture
    RenderResult result = render("1\n2\n3\n4\n", {"--sweeps", "--points", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.summary->replayError.rfind("Error : ", 0), 0u);
    EXPECT_EQ(result.summary->images, std::vector<std::string>{"data.bmp"})
        << "the final chart is still written";
    EXPECT_EQ(readFile(dir.file("data.csv")), "1\n2\n3\n4\n");

    // A data file named like the final picture is never written over.
    const std::string data = dir.write("out/chart.bmp", "1\n2\n");
    RenderOptions options;
    options.outDir = out;
    options.settings.dataFile = data;
    result = runRenderJob(options, [this](const std::string& e) { errors.push_back(e); });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(readFile(data), "1\n2\n");
    EXPECT_FALSE(errors.empty());
}

// Is there text of that hue in the rectangle? Text is smoothed, so its
// pixels are only near the label's colour.
enum class Hue { Blue, Green, Black };
bool inked(const QImage& image, const PixelRect& rect, Hue hue) {
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom(), image.height()); ++y)
        for (int x = std::max(rect.left, 0); x < std::min(rect.right(), image.width()); ++x) {
            const QColor c = image.pixelColor(x, y);
            if ((hue == Hue::Blue && c.blue() > c.red() + 80 && c.blue() > c.green() + 80) ||
                (hue == Hue::Green && c.green() > c.red() + 60 && c.green() > c.blue() + 60) ||
                (hue == Hue::Black && c.red() < 80 && c.green() < 80 && c.blue() < 80))
                return true;
        }
    return false;
}

TEST_F(RenderJobTest, AnnotatingKeepsTheGraphAndAddsTheWindowsLabels) {
    const QImage plain = picture("plain", {"--format", "png"});
    const QImage annotated = picture("annotated", {"--format", "png", "--annotate"});
    const AnnotationLayout layout = annotationLayout(577, 145);
    ASSERT_EQ(annotated.size(), QSize(layout.width, layout.height));
    const QRect graph(layout.graph.left, layout.graph.top, layout.graph.width, layout.graph.height);
    EXPECT_EQ(annotated.copy(graph).convertToFormat(plain.format()), plain) << "the graph pixel for pixel";

    // Every label is there, in its colour, where the window has it.
    for (const PixelRect& label : layout.scaleLabels)
        EXPECT_TRUE(inked(annotated, label, Hue::Green));
    for (const PixelRect& label :
         {layout.valueLabels[0], layout.valueLabels[1], layout.valueLabels[2], layout.status})
        EXPECT_TRUE(inked(annotated, label, Hue::Blue));
    EXPECT_TRUE(inked(annotated, {layout.pointsPerView.left, layout.pointsPerView.top, 60, 12}, Hue::Black));
    // And nothing else around the graph.
    EXPECT_FALSE(inked(annotated, {0, layout.scaleLabels[4].bottom(), layout.graph.left, 10}, Hue::Green));
    EXPECT_FALSE(inked(annotated, {layout.graph.left, layout.graph.bottom(), 100, 10}, Hue::Black));
}

// Scale labels wider than their place in the window widen the picture to
// the left; the graph keeps its pixels.
TEST_F(RenderJobTest, WideScaleLabelsFitInsideTheAnnotatedPicture) {
    const std::string data = "-1234567.891\n123456789\n";
    render(data, {"--format", "png"});
    std::filesystem::create_directory(dir.file("wide"));
    const RenderResult result = render(data, {"-o", dir.file("wide"), "--format", "png", "--annotate"});
    ASSERT_TRUE(result.summary);
    EXPECT_EQ(result.summary->scaleLabels[0], "200000000");
    const QImage plain(QString::fromStdString(out + "/data.png"));
    const QImage wide(QString::fromStdString(dir.file("wide") + "/data.png"));
    const AnnotationLayout layout = annotationLayout(577, 145);
    const int margin = wide.width() - layout.width;
    EXPECT_GT(margin, 0);
    EXPECT_EQ(wide.height(), layout.height);
    const QRect graph(layout.graph.left + margin, layout.graph.top, layout.graph.width, layout.graph.height);
    EXPECT_EQ(wide.copy(graph).convertToFormat(plain.format()), plain) << "the graph pixel for pixel";
    const QRect labels = colourBounds(wide.copy(0, 0, graph.left(), wide.height()), kDarkGreen);
    EXPECT_GT(labels.left(), 0) << "no label is cut at the left edge";

    // A picture read elsewhere names fonts any reader has behind the design's.
    const std::string svg = readFile(picturePath("svg-fonts", {"--format", "svg", "--annotate"}));
    for (const char* family :
         {"font-family=\"'ＭＳ ゴシック', IPAGothic, 'Noto Sans Mono CJK JP', monospace\"",
          "font-family=\"'ＭＳ Ｐゴシック', IPAPGothic, 'Noto Sans CJK JP', sans-serif\""})
        EXPECT_NE(svg.find(family), std::string::npos) << family;
    EXPECT_EQ(svg.find("font-family=\"ＭＳ"), std::string::npos) << "no design face alone";
}

TEST_F(RenderJobTest, AScaledPictureHasTheSameGeometryAtMorePixels) {
    const std::string plainPath = picturePath("plain", {});
    EXPECT_EQ(readFile(picturePath("one", {"--scale", "1"})), readFile(plainPath))
        << "scale 1 is today's picture";

    const QImage plain(QString::fromStdString(plainPath));
    const QImage twice = picture("twice", {"--scale", "2"});
    ASSERT_EQ(twice.size(), plain.size() * 2);
    for (const Colour colour : {kYellow, kRed}) {
        const QRect one = colourBounds(plain, colour);
        const QRect two = colourBounds(twice, colour);
        ASSERT_FALSE(one.isEmpty());
        for (const auto& [a, b] :
             {std::pair(one.left(), two.left()), std::pair(one.top(), two.top()),
              std::pair(one.right(), two.right()), std::pair(one.bottom(), two.bottom())})
            EXPECT_NEAR(b / 2.0, a, 2.0) << colour;
    }
    EXPECT_EQ(picture("twice-annotated", {"--scale", "2", "--annotate"}).size(),
              picture("once-annotated", {"--annotate"}).size() * 2);
}

// The shapes of an SVG picture: every polyline's colour and points.
struct SvgShape {
    QString stroke;
    std::vector<QPointF> points;
};
std::vector<SvgShape> svgShapes(const std::string& path, QStringList* texts = nullptr) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::vector<QString> strokes{QStringLiteral("none")};
    std::vector<SvgShape> shapes;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto stroke = xml.attributes().value(QStringLiteral("stroke"));
            strokes.push_back(stroke.isEmpty() ? strokes.back() : stroke.toString());
            if (xml.name() == QStringLiteral("polyline")) {
                SvgShape shape{strokes.back(), {}};
                for (const auto& pair :
                     xml.attributes().value(QStringLiteral("points")).split(u' ', Qt::SkipEmptyParts)) {
                    const auto xy = pair.split(u',');
                    shape.points.emplace_back(xy[0].toDouble(), xy[1].toDouble());
                }
                shapes.push_back(shape);
            } else if (xml.name() == QStringLiteral("text") && texts) {
                texts->append(xml.readElementText());
                strokes.pop_back();
            }
        } else if (xml.isEndElement()) {
            strokes.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return shapes;
}

TEST_F(RenderJobTest, AnSvgPictureHasTheRasterPicturesShapes) {
    const QImage raster = picture("raster", {"--format", "png"});
    const std::vector<SvgShape> shapes = svgShapes(picturePath("svg", {"--format", "svg"}));

    std::vector<const SvgShape*> thresholds, series;
    for (const SvgShape& shape : shapes) {
        if (shape.stroke == "#ff0000")
            thresholds.push_back(&shape);
        else if (shape.stroke == "#ffff00")
            series.push_back(&shape);
    }
    ASSERT_EQ(thresholds.size(), 1u);
    EXPECT_EQ(thresholds[0]->points, (std::vector<QPointF>{{0.5, 29.5}, {577.5, 29.5}})) << "80 % up";
    ASSERT_EQ(series.size(), 1u) << "one polyline";
    ASSERT_GE(series[0]->points.size(), 2u);
    // Each vertex is on the raster picture's series, within a pixel (the
    // last one lies just beyond the right edge).
    for (const QPointF& point : series[0]->points) {
        bool near = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                near |=
                    colourAt(raster, std::clamp(static_cast<int>(point.x()) + dx, 0, raster.width() - 1),
                             std::clamp(static_cast<int>(point.y()) + dy, 0, raster.height() - 1)) == kYellow;
        EXPECT_TRUE(near) << point.x() << "," << point.y();
    }

    QStringList texts;
    svgShapes(picturePath("svg-annotated", {"--format", "svg", "--annotate"}), &texts);
    for (const char* label : {"Max: 30", "Now: 30", "Min: 0", "40", "表示項目数:500"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(label)))
            << label << " in " << texts.join('|').toStdString();
}

// Values far from zero, drawn with and without --fit: reaching to 0 they are
// a flat line; fitted, the scale spans them and the line spans the graph.
TEST_F(RenderJobTest, FitsTheScaleToValuesFarFromZero) {
    std::string ramp;
    for (int i = 0; i <= 100; ++i)
        ramp += std::to_string(1000000000 + i) + "\n";
    using Rows = std::optional<std::pair<int, int>>;
    const std::tuple<std::string, std::vector<std::string>, std::string, Rows> cases[] = {
        // data, options, scale line, the top and bottom pixel rows of the line
        {ramp,
         {"--fit"},
         "scale: 1000000100 | 1000000075 | 1000000050 | 1000000025 | 1000000000\n",
         std::pair(0, 144)},
        {"1000000050\n",
         {"--fit"},
         "scale: 1010000000 | 1006250000 | 1002500000 | 998750000 | 995000000\n",
         std::nullopt},
        {ramp, {}, "scale: 2000000000 | 1500000000 | 1000000000 | 500000000 | 0\n", std::pair(72, 72)},
    };
    for (const auto& [data, arguments, scaleLine, rows] : cases) {
        const RenderResult result = render(data, arguments);
        ASSERT_EQ(result.status, 0);
        const std::string summary = summaryOf(result);
        EXPECT_NE(summary.find(scaleLine), std::string::npos) << summary;
        const std::string bottomLabel = scaleLine.substr(scaleLine.rfind("| ") + 2);
        EXPECT_EQ(std::stod(bottomLabel) > 9e8, !arguments.empty()) << scaleLine;
        if (!rows)
            continue;
        const QRect line = colourBounds(QImage(QString::fromStdString(out + "/data.bmp")), kYellow);
        EXPECT_NEAR(line.top(), rows->first, 2) << scaleLine;
        EXPECT_NEAR(line.bottom(), rows->second, 2) << scaleLine;
    }
}

} // namespace
