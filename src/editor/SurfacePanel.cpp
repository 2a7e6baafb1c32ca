#include "editor/SurfacePanel.h"

#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "platform/Numbers.h"

#include <cmath>

namespace editor {

QString areaText(document::ObjectKind kind, double w, double h, const QLocale& locale) {
    const std::optional<double> area = areaM2(kind, w, h);
    if (!area)
        return kNoArea;
    const double rounded = std::nearbyint(*area * 100) / 100;
    return platform::numberText(rounded, locale);
}

void SurfacePanel::showSelected(document::ObjectKind kind, double w, double h) {
    panel_.areaText = areaText(kind, w, h, locale_);
    if (areaM2(kind, w, h))
        panel_.addEnabled = true;
}

void SurfacePanel::showResized(document::ObjectKind kind, double w, double h) {
    panel_.areaText = areaText(kind, w, h, locale_);
}

void SurfacePanel::clear() {
    panel_.areaText = kNoArea;
    panel_.addEnabled = false;
}

void SurfacePanel::add() {
    if (panel_.areaText != kNoArea) {
        panel_.lines.append(panel_.areaText);
        panel_.selected.append(false);
    }
    recomputeTotal();
}

void SurfacePanel::removeSelected() {
    for (qsizetype i = 0; i < panel_.lines.size();) {
        if (i < panel_.selected.size() && panel_.selected[i]) {
            panel_.lines.removeAt(i);
            panel_.selected.removeAt(i);
        } else {
            ++i;
        }
    }
    recomputeTotal();
}

void SurfacePanel::listClicked(const QList<bool>& selected) {
    panel_.selected = selected;
    panel_.selected.resize(panel_.lines.size(), false);
    panel_.deleteEnabled = true;
}

void SurfacePanel::recomputeTotal() {
    float total = 0;
    for (const QString& line : panel_.lines)
        total += float(platform::readNumber(line, locale_).value_or(0.0));
    panel_.selected = QList<bool>(panel_.lines.size(), false);
    panel_.totalText = platform::numberText(double(total), locale_, 7);
    panel_.deleteEnabled = false;
}

} // namespace editor
