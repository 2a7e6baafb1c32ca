#pragma once

#include "editor/Geometry.h"
#include "render/PlanRenderer.h"

#include <QLocale>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace editor {

// Positions on the plan in centimetres, measured from the top-left corner of the vehicle
// picture as it is shown. Objects are placed in the shown picture's pixels, so a mirrored
// view is measured from its displayed corner without any extra step, as the parts list is.

// The decimals a length in cm is shown with when its unit step is `cmPerStep` cm: one when
// a step is finer than a centimetre, none otherwise.
int cmDecimals(double cmPerStep);

// A length in cm as the locale writes it, rounded to `decimals` places (halves to even),
// without thousands separator or trailing zeros.
QString cmText(double cm, int decimals, const QLocale& locale);

// The picture pixel under a canvas point, for the view's zoom and scroll origin.
QPointF picturePoint(QPointF canvasAt, const render::View& view);

// The point's position in cm from the picture's corner, or nothing when it lies outside
// the picture of `pictureSize` pixels (its edges belong to it).
std::optional<QPointF> pointerCm(QPointF canvasAt, const render::View& view, double pixelsPerCm,
                                 QSizeF pictureSize);

// A position typed in cm (the locale's format, "." or ","): the whole picture pixel it
// falls on (halves to even); nothing when it is not a number or lies outside 0 to
// pictureLength pixels.
std::optional<int> typedPosition(const QString& text, double pixelsPerCm, float pictureLength,
                                 const QLocale& locale);

// The step of Shift and an arrow key in canvas pixels: one centimetre of the picture in
// whole picture pixels (halves to even, at least one), at the zoom.
float centimetreStep(double pixelsPerCm, float zoom);

// The box moved by `step` pixels in the direction of an arrow key, as the arrows move it:
// at least 10 pixels of it stay on a canvas of `canvas` pixels, a step that would leave
// fewer stops there, and a box already at that limit does not move. Any other key leaves
// the box as it is.
PlanBox arrowStep(PlanBox box, Qt::Key key, float step, QSize canvas);

} // namespace editor
