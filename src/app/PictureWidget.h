#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include <functional>

class QPainter;

namespace app {

// A picture box: paints a picture 1:1 from its top-left corner (or one plain colour)
// and reports mouse and key events in the box's own pixels. Used for the plan, the
// selection box, the resize handles and the colour swatches.
class PictureWidget : public QWidget {
public:
    explicit PictureWidget(const QString& name, QWidget* parent = nullptr);

    // Where the picture comes from at each repaint; without it the box shows its colour.
    // The offset, when given, is the box pixel where the picture's top-left corner goes.
    void setPictureSource(std::function<const QImage&()> source,
                          std::function<QPoint()> offset = {});
    void setColour(const QColor& colour);
    const QColor& colour() const { return colour_; }

    std::function<void(QPointF at, Qt::MouseButton button)> pressed;
    std::function<void(QPointF at, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers)> moved;
    std::function<void()> released;
    // A left press and release both over the box.
    std::function<void()> clicked;
    // The pointer has left the box (not for one of its children).
    std::function<void()> left;
    // True when the key was taken; any other key goes on to the parent.
    std::function<bool(Qt::Key key, Qt::KeyboardModifiers modifiers)> keyPressed;
    // Painted over the picture, in the box's own pixels: what is shown on the screen only.
    std::function<void(QPainter& painter)> overlay;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::function<const QImage&()> source_;
    std::function<QPoint()> offset_;
    QColor colour_ = Qt::black;
    bool pressed_ = false;
};

} // namespace app
