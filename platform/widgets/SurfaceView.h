#pragma once
// The widget that shows the graph surface: it paints the raster image it is
// given at its top-left corner, unscaled, and black wherever the image does
// not reach. It never draws into the image itself, so resizing the widget
// neither stretches nor clears what was drawn.

#include <QWidget>

class QImage;

class SurfaceView : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceView(QWidget* parent = nullptr);

    // The image to show; not owned, and it must outlive its use here (pass
    // nullptr before it goes). Repaints.
    void setImage(const QImage* image);
    const QImage* image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* m_image = nullptr;
};
