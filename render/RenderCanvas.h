#pragma once
// The graph surface of trendola-render: a raster image, or shapes for an SVG
// picture, at the options' size and device pixel ratio. It saves each picture
// either as the bare graph or, with --annotate, with the labels the main
// window shows around it, as the labels are at that moment; and it notes the
// name of every picture written.

#include "chart/DrawingSurface.h"
#include "render/RenderSummary.h"

#include <memory>
#include <string>
#include <vector>

class RasterSurface;
class SvgSurface;
struct RenderOptions;

class RenderCanvas : public DrawingSurface {
public:
    // `labels` are read at every save; they must outlive the canvas.
    RenderCanvas(const RenderOptions& options, const RenderSummary& labels);
    ~RenderCanvas() override;

    void setScaleWidth(double width) override;
    void setScaleHeight(double height) override;
    double scaleHeight() const override;
    void setScaleMode(ScaleMode mode) override;
    void clear() override;
    void setDrawWidth(int width) override;
    void setDrawStyleSolid() override;
    void drawLine(double x1, double y1, double x2, double y2, Colour colour) override;
    void setCurrentPosition(double x, double y) override;
    void printText(std::string_view utf8, Colour colour, double pointSize) override;
    void setPersistent(bool persistent) override;
    Result<> saveImage(const std::string& path, ImageFormat format) override;
    void hideAndDisable() override;
    void showAndEnable() override;
    int pixelWidth() const override;

    // The file names written, each once, in the order first written.
    const std::vector<std::string>& written() const { return m_written; }

    // The picture with the labels around the graph, as saved with --annotate,
    // in `format` (SVG on a canvas made for SVG, PNG or BMP on any other).
    Result<std::string> encodeAnnotated(ImageFormat format) const;

private:
    Result<> saveAnnotated(const std::string& path, ImageFormat format);

    std::unique_ptr<RasterSurface> m_raster;
    std::unique_ptr<SvgSurface> m_svg;
    DrawingSurface& m_graph;
    const RenderSummary& m_labels;
    bool m_annotate;
    double m_ratio;
    int m_width, m_height; // the graph's, in logical pixels
    std::vector<std::string> m_written;
};
