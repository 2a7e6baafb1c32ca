#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

namespace app {

// Mouse buttons and Shift/Ctrl/Alt as the editor's handlers receive them.
int editorButton(Qt::MouseButton button);    // 1 left, 2 right, 4 middle, 0 none
int editorButtons(Qt::MouseButtons buttons); // the held buttons, or-ed
int editorShift(Qt::KeyboardModifiers modifiers);
// The editor's key code of a Qt key: arrows 37-40, Delete 46, Space 32, Enter 13,
// Backspace 8; nothing for the keys the plan does not use.
std::optional<int> editorKeyCode(int qtKey);

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

    std::function<void(int button, int shift, float x, float y)> mouseDown, mouseMove, mouseUp;
    // A left press and release both over the box.
    std::function<void()> click;
    std::function<void(int keyCode, int shift)> keyDown;
    std::function<void(int keyAscii)> keyPress;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<const QImage&()> source_;
    std::function<QPoint()> offset_;
    QColor colour_ = Qt::black;
    bool pressed_ = false;
};

} // namespace app
