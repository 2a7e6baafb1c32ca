#pragma once

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

} // namespace editor
