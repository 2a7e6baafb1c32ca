#include "editor/Placement.h"

#include "editor/Geometry.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

namespace editor {

int cmDecimals(double cmPerStep) {
    return cmPerStep < 1 ? 1 : 0;
}

QString cmText(double cm, int decimals, const QLocale& locale) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = platform::roundHalfEven(cm * scale) / scale;
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = l.toString(rounded == 0 ? 0.0 : rounded, 'f', decimals);
    if (decimals > 0) {
        const QString zero = l.zeroDigit() + QString();
        while (text.endsWith(zero))
            text.chop(zero.size());
        if (text.endsWith(l.decimalPoint()))
            text.chop(l.decimalPoint().size());
    }
    return text;
}

QPointF picturePoint(QPointF canvasAt, const render::View& view) {
    return QPointF(canvasAt.x() / double(view.zoom) + double(view.originX),
                   canvasAt.y() / double(view.zoom) + double(view.originY));
}

std::optional<QPointF> pointerCm(QPointF canvasAt, const render::View& view, double pixelsPerCm,
                                 QSizeF pictureSize) {
    const QPointF p = picturePoint(canvasAt, view);
    if (p.x() < 0 || p.y() < 0 || p.x() > pictureSize.width() || p.y() > pictureSize.height())
        return std::nullopt;
    return p / pixelsPerCm;
}

std::optional<int> typedPosition(const QString& text, double pixelsPerCm, float pictureLength,
                                 const QLocale& locale) {
    const std::optional<double> cm = platform::readNumber(text, locale);
    if (!cm)
        return std::nullopt;
    const int whole = platform::roundToInt(*cm * pixelsPerCm);
    if (whole < 0 || float(whole) > pictureLength)
        return std::nullopt;
    return whole;
}

float centimetreStep(double pixelsPerCm, float zoom) {
    return float(std::max(1, platform::roundToInt(pixelsPerCm))) * zoom;
}

PlanBox arrowStep(PlanBox box, Qt::Key key, float step, QSize canvas) {
    const float lowestTop = 10 - box.height, highestTop = float(canvas.height() - 10);
    const float lowestLeft = 10 - box.width, highestLeft = float(canvas.width() - 10);
    switch (key) {
    case Qt::Key_Up:
        if (box.top > lowestTop)
            box.top = std::max(box.top - step, lowestTop);
        break;
    case Qt::Key_Down:
        if (box.top < highestTop)
            box.top = std::min(box.top + step, highestTop);
        break;
    case Qt::Key_Left:
        if (box.left > lowestLeft)
            box.left = std::max(box.left - step, lowestLeft);
        break;
    case Qt::Key_Right:
        if (box.left < highestLeft)
            box.left = std::min(box.left + step, highestLeft);
        break;
    default:
        break;
    }
    return box;
}

} // namespace editor
