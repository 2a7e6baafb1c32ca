#include "app/PictureWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace app {

PictureWidget::PictureWidget(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::setPictureSource(std::function<const QImage&()> source,
                                     std::function<QPoint()> offset) {
    source_ = std::move(source);
    offset_ = std::move(offset);
    update();
}

void PictureWidget::setColour(const QColor& colour) {
    if (colour_ == colour)
        return;
    colour_ = colour;
    update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!source_) {
        painter.fillRect(rect(), colour_);
        return;
    }
    const QImage& picture = source_();
    // Whatever the picture does not cover shows the window's background.
    painter.fillRect(rect(), palette().window());
    painter.drawImage(offset_ ? offset_() : QPoint(0, 0), picture);
    if (overlay)
        overlay(painter);
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    if (pressed)
        pressed(event->position(), event->button());
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
    if (moved)
        moved(event->position(), event->buttons(), event->modifiers());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = std::exchange(pressed_, false);
    if (released)
        released();
    if (wasPressed && event->button() == Qt::LeftButton && clicked &&
        rect().contains(event->position().toPoint()))
        clicked();
}

void PictureWidget::keyPressEvent(QKeyEvent* event) {
    if (keyPressed && keyPressed(Qt::Key(event->key()), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void PictureWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (left)
        left();
}

} // namespace app
