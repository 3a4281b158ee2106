#include "render/RenderCanvas.h"

#include "io/AtomicFileWrite.h"
#include "render/AnnotatedPicture.h"
#include "render/RenderOptions.h"
#include "surface/ImageFile.h"
#include "surface/RasterSurface.h"
#include "surface/SvgSurface.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

constexpr double kDpi = 96;

std::unique_ptr<RasterSurface> rasterFor(const RenderOptions& options) {
    if (options.format == ImageFormat::Svg)
        return nullptr;
    return std::make_unique<RasterSurface>(options.width, options.height, kDpi, options.scale);
}

std::unique_ptr<SvgSurface> svgFor(const RenderOptions& options) {
    if (options.format != ImageFormat::Svg)
        return nullptr;
    return std::make_unique<SvgSurface>(options.width, options.height, kDpi, options.scale);
}

} // namespace

RenderCanvas::RenderCanvas(const RenderOptions& options, const RenderSummary& labels)
    : m_raster(rasterFor(options)), m_svg(svgFor(options)),
      m_graph(m_raster ? static_cast<DrawingSurface&>(*m_raster) : *m_svg), m_labels(labels),
      m_annotate(options.annotate), m_ratio(options.scale), m_width(options.width), m_height(options.height) {
}

RenderCanvas::~RenderCanvas() = default;

void RenderCanvas::setScaleWidth(double width) {
    m_graph.setScaleWidth(width);
}
void RenderCanvas::setScaleHeight(double height) {
    m_graph.setScaleHeight(height);
}
double RenderCanvas::scaleHeight() const {
    return m_graph.scaleHeight();
}
void RenderCanvas::setScaleMode(ScaleMode mode) {
    m_graph.setScaleMode(mode);
}
void RenderCanvas::clear() {
    m_graph.clear();
}
void RenderCanvas::setDrawWidth(int width) {
    m_graph.setDrawWidth(width);
}
void RenderCanvas::setDrawStyleSolid() {
    m_graph.setDrawStyleSolid();
}
void RenderCanvas::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    m_graph.drawLine(x1, y1, x2, y2, colour);
}
void RenderCanvas::setCurrentPosition(double x, double y) {
    m_graph.setCurrentPosition(x, y);
}
void RenderCanvas::printText(std::string_view utf8, Colour colour, double pointSize) {
    m_graph.printText(utf8, colour, pointSize);
}
void RenderCanvas::setPersistent(bool persistent) {
    m_graph.setPersistent(persistent);
}
void RenderCanvas::hideAndDisable() {
    m_graph.hideAndDisable();
}
void RenderCanvas::showAndEnable() {
    m_graph.showAndEnable();
}
int RenderCanvas::pixelWidth() const {
    return m_graph.pixelWidth();
}

Result<> RenderCanvas::saveImage(const std::string& path, ImageFormat format) {
    auto saved = m_annotate ? saveAnnotated(path, format) : m_graph.saveImage(path, format);
    if (saved) {
        const std::string name = std::filesystem::path(path).filename().string();
        if (std::find(m_written.begin(), m_written.end(), name) == m_written.end())
            m_written.push_back(name);
    }
    return saved;
}

Result<> RenderCanvas::saveAnnotated(const std::string& path, ImageFormat format) {
    const auto encoded = encodeAnnotated(format);
    if (!encoded)
        return encoded.error();
    return writeFileAtomically(path, *encoded);
}

Result<std::string> RenderCanvas::encodeAnnotated(ImageFormat format) const {
    const AnnotationLayout layout = annotationLayout(m_width, m_height, kDpi);
    if (m_svg) {
        const QSize graph(m_svg->pixelWidth(), m_svg->pixelHeight());
        const QSize size = annotatedPictureSize(layout, graph, m_ratio, m_labels);
        return encodeSvgPicture(size.width(), size.height(), kDpi * m_ratio, [&](QPainter& painter) {
            paintAnnotatedPicture(painter, layout, m_ratio, m_labels, [&](QPainter& p) { m_svg->paint(p); });
        });
    }
    const QImage& graph = m_raster->image();
    const QSize size = annotatedPictureSize(layout, graph.size(), m_ratio, m_labels);
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        return Error{kErrOutOfMemory, "There is no memory for a picture of this size."};
    // Fonts take their point sizes at this resolution.
    const int dotsPerMetre = static_cast<int>(std::lround(kDpi * m_ratio / 0.0254));
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&picture);
        paintAnnotatedPicture(painter, layout, m_ratio, m_labels,
                              [&](QPainter& p) { p.drawImage(QPoint(0, 0), graph); });
    }
    return encodeImageFile(picture, format);
}
