#include "widgets/SurfaceView.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted below, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setImage(const QImage* image) {
    setImageSource(image ? std::function<const QImage*()>([image] { return image; }) : nullptr);
}

void SurfaceView::setImageSource(std::function<const QImage*()> source) {
    m_source = std::move(source);
    update();
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, Qt::black);
    const QImage* shown = image();
    if (!shown)
        return;
    const QRect covered = dirty.intersected(shown->rect());
    if (!covered.isEmpty())
        painter.drawImage(covered.topLeft(), *shown, covered);
}
