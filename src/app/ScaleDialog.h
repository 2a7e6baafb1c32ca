#pragma once

#include "output/PageLayout.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QRadioButton;

namespace app {

// The small dialog of the true-scale outputs: scale, paper, orientation, and the
// whole plan or the automatic zone. It only collects the choice; the page layout is
// worked out by the output code.
class ScaleDialog : public QDialog {
public:
    ScaleDialog(const QString& title, const output::ScaleSetup& initial, QWidget* parent = nullptr);

    output::ScaleSetup setup() const;

    // Shows the dialog modally; nothing when it is cancelled.
    static std::optional<output::ScaleSetup>
    choose(const QString& title, const output::ScaleSetup& initial, QWidget* parent);

private:
    QComboBox* scale_ = nullptr;
    QComboBox* paper_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QRadioButton* wholePlan_ = nullptr;
    QRadioButton* zone_ = nullptr;
};

} // namespace app
