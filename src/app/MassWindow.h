#pragma once

#include "document/Layout.h"
#include "document/MassBudget.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QTableWidget;

namespace app {

// "Bilan des masses": the open layout's mass budget, shown again by the main window
// after every event so that it follows a drag; the loads not drawn are edited in its
// table. It owns nothing of the layout: edits go out through the callbacks.
class MassWindow : public QDialog {
public:
    struct Callbacks {
        std::function<void(document::LooseLoads)> loadsEdited;
        std::function<void(bool)> centreShown;
    };
    MassWindow(Callbacks callbacks, QWidget* parent);
    // A cell being edited is committed as the window goes: by then nothing may hear it.
    ~MassWindow() override;

    // Shows a budget, the layout's loads and whether the centre of mass is marked.
    void show(const document::MassBudget& budget, const document::Layout& layout, bool centreShown);

    // The figures, in the order of kFigureNames: "Masse ajoutée", "Masse totale",
    // "Essieu avant", "Essieu arrière", "Charge utile restante", "Centre de gravité".
    static constexpr int kFigures = 6;
    QLabel* figure(int index) const { return figures_[std::size_t(index)]; }

    QTableWidget* loads() const { return loads_; }

private:
    // Shows shownLoads_ in the table, unless it shows them already.
    void fillLoads();
    // Hands the table's loads to the editor; a value that is not a number is refused and
    // the table shows the loads again.
    void readLoads();

    Callbacks callbacks_;
    std::array<QLabel*, kFigures> figures_{};
    QLabel* note_ = nullptr;
    QListWidget* withoutMass_ = nullptr;
    QTableWidget* loads_ = nullptr;
    QCheckBox* showCentre_ = nullptr;
    document::LooseLoads shownLoads_; // the layout's loads as last shown
    bool showing_ = false;            // set while the widgets are filled
};

} // namespace app
