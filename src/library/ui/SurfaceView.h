#pragma once

#include "platform/Surface.h"

#include <QPointF>
#include <QWidget>

namespace library::ui {

// A widget showing a drawing surface one to one: the surface is the widget's picture
// and its size. Mouse positions are reported in surface pixels.
class SurfaceView : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceView(QWidget* parent = nullptr);

    platform::Surface& surface() { return surface_; }
    const platform::Surface& surface() const { return surface_; }
    // Resizes both the surface (cleared) and the widget.
    void setSurfaceSize(QSize size);
    // Shows the surface's current drawing.
    void refresh() { update(); }

Q_SIGNALS:
    // Every press, a quick second one included: the window system reports that one as
    // a double click instead of a press.
    void mousePressed(QPointF position, Qt::MouseButton button);
    void mouseMoved(QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    platform::Surface surface_;
};

} // namespace library::ui
