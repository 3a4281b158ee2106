#pragma once
// The widget that shows the graph surface: it paints the raster image it is
// given at its top-left corner, unscaled, and black wherever the image does
// not reach. It never draws into the image itself, so resizing the widget
// neither stretches nor clears what was drawn.

#include <QWidget>

#include <functional>

class QImage;

class SurfaceView : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceView(QWidget* parent = nullptr);

    // The image to show; not owned, and it must outlive its use here (pass
    // nullptr before it goes). Repaints.
    void setImage(const QImage* image);
    // Where the image comes from at each paint, for a surface that finishes
    // its pending drawing when it is asked for its image. Repaints.
    void setImageSource(std::function<const QImage*()> source);
    const QImage* image() const { return m_source ? m_source() : nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<const QImage*()> m_source;
};
