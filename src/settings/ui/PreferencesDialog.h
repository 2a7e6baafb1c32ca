#pragma once

#include "platform/DialogService.h"
#include "platform/SettingsStore.h"
#include "settings/Preferences.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;

namespace settings::ui {

// The preferences window. It is created once at start-up and only hidden between uses;
// its controls hold the values being edited, and the last confirmed values are what
// the rest of the program uses.
class PreferencesDialog : public QDialog {
public:
    PreferencesDialog(platform::SettingsStore& store, platform::DialogService& dialogs,
                      QWidget* parent = nullptr);

    // Puts the values into the controls and takes them as the confirmed ones.
    void setValues(const Preferences& prefs);
    // The values the controls show now (the line width as typed).
    Preferences shownValues() const;
    const Preferences& confirmedValues() const { return confirmed_; }

    // "&OK": hides, brings the line width into 1..100 (an empty or non-numeric box
    // gives 2), stores the six values, then reports them through onConfirmed.
    void accept() override;
    // "&Annuler", the close box and Escape: hides and shows the stored values again (the
    // last confirmed ones when the store cannot be read).
    void reject() override;
    // "Par &défaut": the defaults into the controls.
    void restoreDefaults();

    // Called after "&OK" with the values now in force.
    std::function<void(const Preferences&)> onConfirmed;

    // The line width as "&OK" keeps it: 1..100, "2" when not a number.
    static QString clampLineWidth(const QString& text);

private:
    void showInControls(const Preferences& prefs);

    platform::SettingsStore& store_;
    platform::DialogService& dialogs_;
    Preferences confirmed_;
    QCheckBox* bodyLinesInFront_ = nullptr;
    QCheckBox* clickBringsToFront_ = nullptr;
    QCheckBox* anchorBeforeScrolling_ = nullptr;
    QCheckBox* whiteTextBackground_ = nullptr;
    QCheckBox* findExportZone_ = nullptr;
    QLineEdit* lineWidthBox_ = nullptr;
};

} // namespace settings::ui
