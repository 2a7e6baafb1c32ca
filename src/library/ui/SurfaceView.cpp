#include "library/ui/SurfaceView.h"

#include <QMouseEvent>
#include <QPainter>

namespace library::ui {

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(surface_.width(), surface_.height());
}

void SurfaceView::setSurfaceSize(QSize size) {
    const QSize s = size.expandedTo(QSize(1, 1));
    surface_.resize(s.width(), s.height());
    surface_.clear();
    setFixedSize(s);
    update();
}

void SurfaceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface_.image());
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
    Q_EMIT mousePressed(event->position(), event->button());
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMoved(event->position());
}

void SurfaceView::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_EMIT mousePressed(event->position(), event->button());
}

} // namespace library::ui
