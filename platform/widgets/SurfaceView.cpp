#include "platform/widgets/SurfaceView.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted below, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setImage(const QImage* image) {
    m_image = image;
    update();
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, Qt::black);
    if (!m_image)
        return;
    const QRect covered = dirty.intersected(m_image->rect());
    if (!covered.isEmpty())
        painter.drawImage(covered.topLeft(), *m_image, covered);
}
