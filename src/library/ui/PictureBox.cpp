#include "library/ui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace library::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(surface_.width(), surface_.height());
}

void PictureBox::setSurfaceSize(QSize size) {
    const QSize s = size.expandedTo(QSize(1, 1));
    surface_.resize(s.width(), s.height());
    surface_.Cls();
    setFixedSize(s);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface_.Image());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    Q_EMIT mousePressed(event->position(), event->button());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMoved(event->position());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_EMIT mousePressed(event->position(), event->button());
}

} // namespace library::ui
