#pragma once

#include "platform/SettingsStore.h"
#include "settings/Preferences.h"

#include <QString>

#include <optional>

namespace settings {

// The key under which the preferences live.
inline const QString kPreferenceKey = QStringLiteral("HKLM\\Software\\Kestrion\\");

// The only code that touches the settings store.
class PreferenceStore {
public:
    explicit PreferenceStore(platform::SettingsStore& store) : store_(store) {}

    // The value stored under the full key name, as text; nothing when missing.
    std::optional<QString> readValue(const QString& nom);
    // genre 0: text, genre 1: 32-bit integer. False when the store refuses.
    bool writeValue(int genre, const QString& nom, const QString& valeur);

    // Reads carross, clicpreplan, ancrer, fondblanc, larlig, autozone in that order.
    // Nothing when any of them is missing or unreadable.
    std::optional<Preferences> readSix();
    // Writes the six values as 32-bit integers in the same order; false when any write fails.
    bool writeSix(const Preferences& prefs);

    // modsurf: "1" while the surface panel is shown, "0" while hidden.
    std::optional<QString> readModsurf();
    bool writeModsurf(bool shown);

    // The full key name of a preference: kPreferenceKey + name.
    static QString key(const QString& name) { return kPreferenceKey + name; }

private:
    platform::SettingsStore& store_;
};

} // namespace settings
