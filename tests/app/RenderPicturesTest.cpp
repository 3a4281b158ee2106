// trendola-render's pictures beyond the bare graph: annotated, at a device
// pixel ratio, and as SVG.

#include "app/AnnotationLayout.h"
#include "app/RenderJob.h"
#include "app/RenderOptions.h"
#include "tests/support/Pixels.h"
#include "tests/support/TempDir.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

struct RenderPicturesTest : testing::Test {
    TempDir dir;
    std::string data = dir.write("data.csv", "10\n20\n30\n");

    // Renders data.csv into its own folder; the picture's path.
    std::string render(const std::string& name, std::vector<std::string> arguments) {
        const std::string out = dir.file(name);
        std::filesystem::create_directory(out);
        arguments.insert(arguments.begin(), {"-o", out});
        arguments.push_back(data);
        const auto parsed = parseRenderOptions(arguments);
        EXPECT_TRUE(parsed.options) << parsed.error;
        const RenderResult result =
            runRenderJob(*parsed.options, [](const std::string& e) { ADD_FAILURE() << e; });
        EXPECT_EQ(result.status, 0);
        return out + "/" + result.summary->images.back();
    }
    QImage picture(const std::string& name, const std::vector<std::string>& arguments) {
        return QImage(QString::fromStdString(render(name, arguments)));
    }
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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

TEST_F(RenderPicturesTest, AnnotatingKeepsTheGraphAndAddsTheWindowsLabels) {
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
         {layout.valueLabels[0], layout.valueLabels[1], layout.valueLabels[2], layout.info})
        EXPECT_TRUE(inked(annotated, label, Hue::Blue));
    EXPECT_TRUE(inked(annotated, {layout.headInfo.left, layout.headInfo.top, 60, 12}, Hue::Black));
    // And nothing else around the graph.
    EXPECT_FALSE(inked(annotated, {0, layout.scaleLabels[4].bottom(), layout.graph.left, 10}, Hue::Green));
    EXPECT_FALSE(inked(annotated, {layout.graph.left, layout.graph.bottom(), 100, 10}, Hue::Black));
}

// The window's rule, run backwards: a window whose graph has the picture's
// size, whatever that size; nothing drawn is cut off.
TEST(AnnotationLayout, PlacesTheLabelsAroundAGraphOfAnySize) {
    for (const auto& [width, height] :
         {std::pair(577, 145), std::pair(1, 1), std::pair(40, 30), std::pair(3000, 900)}) {
        const AnnotationLayout layout = annotationLayout(width, height);
        EXPECT_EQ(layout.graph, (PixelRect{56, 8, width, height}));
        EXPECT_EQ(layout.scaleLabels[0].top, 3);
        EXPECT_EQ(layout.scaleLabels[4].top, height + 3) << "at the graph's bottom";
        EXPECT_GT(layout.valueLabels[0].top, layout.graph.bottom()) << "below the graph";
        EXPECT_NEAR(layout.valueLabels[0].right(), layout.graph.right() - 3, 1) << "at its right edge";
        EXPECT_GT(layout.info.top, layout.valueLabels[0].top);
        for (const PixelRect& rect :
             {layout.graph, layout.valueLabels[2], layout.info, layout.scaleLabels[4]}) {
            EXPECT_LE(rect.right(), layout.width);
            EXPECT_LE(rect.bottom(), layout.height);
        }
    }
}

TEST_F(RenderPicturesTest, AScaledPictureHasTheSameGeometryAtMorePixels) {
    const std::string plainPath = render("plain", {});
    EXPECT_EQ(readAll(render("one", {"--scale", "1"})), readAll(plainPath)) << "scale 1 is today's picture";

    const QImage plain(QString::fromStdString(plainPath));
    const QImage twice = picture("twice", {"--scale", "2"});
    ASSERT_EQ(twice.size(), plain.size() * 2);
    for (const QColor colour : {QColor(Qt::yellow), QColor(Qt::red)}) {
        const auto bounds = [&](const QImage& image) {
            QRect found;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y) == colour)
                        found |= QRect(x, y, 1, 1);
            return found;
        };
        const QRect one = bounds(plain);
        const QRect two = bounds(twice);
        ASSERT_FALSE(one.isEmpty());
        for (const auto& [a, b] :
             {std::pair(one.left(), two.left()), std::pair(one.top(), two.top()),
              std::pair(one.right(), two.right()), std::pair(one.bottom(), two.bottom())})
            EXPECT_NEAR(b / 2.0, a, 2.0) << colour.name().toStdString();
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

TEST_F(RenderPicturesTest, AnSvgPictureHasTheRasterPicturesShapes) {
    const QImage raster = picture("raster", {"--format", "png"});
    const std::vector<SvgShape> shapes = svgShapes(render("svg", {"--format", "svg"}));

    std::vector<const SvgShape*> thresholds, series;
    for (const SvgShape& shape : shapes)
        (shape.stroke == "#ff0000"   ? thresholds
         : shape.stroke == "#ffff00" ? series
                                     : thresholds)
            .push_back(&shape);
    std::erase_if(thresholds, [](const SvgShape* shape) { return shape->stroke != "#ff0000"; });
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
    svgShapes(render("svg-annotated", {"--format", "svg", "--annotate"}), &texts);
    for (const char* label : {"Max: 30", "Now: 30", "Min: 0", "40", "表示項目数:500"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(label)))
            << label << " in " << texts.join('|').toStdString();
}

} // namespace
