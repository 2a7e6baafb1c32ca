#pragma once

#include "document/Areas.h"
#include "editor/EditorState.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace editor {

// The text shown when no countable shape is selected.
inline const QString kNoArea = QStringLiteral("-----");

using document::areaM2;

// The area to two decimals (halves to even) in the locale's format without trailing
// zeros ("3", "0,79"), or "-----" for a kind without area.
QString areaText(document::ObjectKind kind, double w, double h, const QLocale& locale);

// The surface-count panel: whether it is shown, the selected shape's area, the list of
// counted areas and their total. It alone writes them; the window reads state(). The
// list survives new and opened layouts.
class SurfacePanel {
public:
    explicit SurfacePanel(const QLocale& locale) : locale_(locale) {}

    const SurfaceCount& state() const { return panel_; }
    // The panel is shown or hidden ("Comptage de surfaces").
    void setShown(bool shown) { panel_.visible = shown; }

    // A shape was selected: its area, and the add button enabled when it has one.
    void showSelected(document::ObjectKind kind, double w, double h);
    // The selected shape was resized: its new area; the add button keeps its state.
    void showResized(document::ObjectKind kind, double w, double h);
    // The selection ended.
    void clear();

    // The add button: appends the shown area, then recomputes the total.
    void add();
    // The delete button: removes the selected lines, then recomputes the total.
    void removeSelected();
    // A click in the list: the lines selected now.
    void listClicked(const QList<bool>& selected);
    // The total of the lines, summed in single precision; no line stays selected.
    void recomputeTotal();

private:
    const QLocale& locale_;
    SurfaceCount panel_;
};

} // namespace editor
