#pragma once

#include "platform/DialogService.h"
#include "platform/SettingsStore.h"
#include "settings/Preferences.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

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
    // The values the controls show now (larlig as typed).
    Preferences shownValues() const;
    const Preferences& confirmedValues() const { return confirmed_; }

    // 0 "&OK": hide, bring the line width into 1..100 (an empty or non-numeric box
    // gives 2), store the six values, then report them through onConfirmed.
    // 1 "&Annuler": hide and show the stored values again (the last confirmed ones
    // when the store cannot be read). 2 "Par &défaut": the defaults into the controls.
    void Command1_Click(int index);

    // Called after "&OK" with the values now in force.
    std::function<void(const Preferences&)> onConfirmed;

    // The line width as "&OK" keeps it: 1..100, "2" when not a number.
    static QString clampLineWidth(const QString& text);

protected:
    void reject() override; // the close box and Escape cancel like "&Annuler"

private:
    void showInControls(const Preferences& prefs);

    platform::SettingsStore& store_;
    platform::DialogService& dialogs_;
    Preferences confirmed_;
    std::array<QCheckBox*, 5> checks_{}; // Check1 .. Check5
    QLineEdit* text1_ = nullptr;
    std::array<QPushButton*, 3> buttons_{};
};

} // namespace settings::ui
