#pragma once

#include "document/ObjectTable.h"
#include "render/PlanRenderer.h"

#include <QLocale>
#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace editor {

// A box on the plan, in plan pixels (single precision).
struct PlanBox {
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PlanBox&) const = default;
};

// The box a click must fall in to pick an object: its bounding box at the
// view (texts keep their size at every zoom), narrowed for measures to the 17-pixel
// band of a horizontal one or the 25-pixel strip at the right of a vertical one.
PlanBox hitBox(const document::PlanObject& object, const render::View& view, double pixelsPerCm);

// The front-most row whose hit box holds the point, edges included; 0 when none does.
int hitTest(const document::ObjectTable& table, const render::View& view, double pixelsPerCm, int x,
            int y);

// The eight resize handles around a box, clockwise from the top-left corner.
enum class Handle { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
constexpr std::size_t kHandleCount = 8;

// Top-left corners of the eight 5 x 5 handles around a box, indexed by Handle.
std::array<QPoint, kHandleCount> handlePositions(const PlanBox& box);

// One coordinate of a dragged box: moved by delta, but keeping at least 10 pixels of
// the box (of the given size) inside a surface side of the given length.
float dragEdge(float position, int delta, float size, int surfaceSize);

// Applies a handle drag of (dx, dy) pixels to the box by the handle's table. A width
// or height that would fall below zero is not applied; the edges still move.
void resizeByHandle(PlanBox& box, Handle handle, int dx, int dy);

// The zoom steps around a percentage: the largest step below it (10 when none) and
// the smallest above it (1600 when none).
int zoomStepDown(int percent);
int zoomStepUp(int percent);

// The scroll origin that keeps the view's centre when the zoom goes from oldZoom to
// zoom on one axis (never below 0); imageSize and surfaceSize in pixels.
float centredOrigin(float origin, float oldZoom, float zoom, float imageSize, float surfaceSize);
// A bar's value (0..100) for an origin: the percent of the scrollable range.
int barPercent(float origin, float zoom, float imageSize, float surfaceSize);
// The origin a bar value stands for; 0 or negative when the scaled picture is
// narrower than the surface.
float originFromBar(int value, float zoom, float imageSize, float surfaceSize);

// Size in cm of a text's extent of px pixels: the nearest whole cm plus one.
std::int16_t textSizeCm(int px, double pixelsPerCm);

// A dimension box's value: a whole number of cm from 0 to 32767 (halves to even).
std::optional<std::int16_t> readDimension(const QString& text, const QLocale& locale);

} // namespace editor
