#include "app/PictureWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace app {

int editorButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int editorButtons(Qt::MouseButtons buttons) {
    int result = 0;
    if (buttons & Qt::LeftButton)
        result |= 1;
    if (buttons & Qt::RightButton)
        result |= 2;
    if (buttons & Qt::MiddleButton)
        result |= 4;
    return result;
}

int editorShift(Qt::KeyboardModifiers modifiers) {
    int result = 0;
    if (modifiers & Qt::ShiftModifier)
        result |= 1;
    if (modifiers & Qt::ControlModifier)
        result |= 2;
    if (modifiers & Qt::AltModifier)
        result |= 4;
    return result;
}

std::optional<int> editorKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    default:
        return std::nullopt;
    }
}

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
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    if (mouseDown)
        mouseDown(editorButton(event->button()), editorShift(event->modifiers()),
                  float(event->position().x()), float(event->position().y()));
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
    if (mouseMove)
        mouseMove(editorButtons(event->buttons()), editorShift(event->modifiers()),
                  float(event->position().x()), float(event->position().y()));
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = std::exchange(pressed_, false);
    if (mouseUp)
        mouseUp(editorButton(event->button()), editorShift(event->modifiers()),
                float(event->position().x()), float(event->position().y()));
    if (wasPressed && event->button() == Qt::LeftButton && click &&
        rect().contains(event->position().toPoint()))
        click();
}

void PictureWidget::keyPressEvent(QKeyEvent* event) {
    const auto code = editorKeyCode(event->key());
    if (!code) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (keyDown)
        keyDown(*code, editorShift(event->modifiers()));
    // Backspace also arrives as a typed character, as the editor expects.
    if (*code == 8 && keyPress)
        keyPress(8);
    event->accept();
}

} // namespace app
