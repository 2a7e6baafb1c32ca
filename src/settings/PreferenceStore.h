#pragma once

#include "platform/SettingsStore.h"
#include "settings/Preferences.h"

#include <QString>

#include <optional>

namespace settings {

// Where earlier versions kept the preferences, in front of each value name.
inline const QString kLegacyPreferencePath = QStringLiteral("HKLM\\Software\\Kestrion\\");

// The only code that touches the settings store. Every preference is a 32-bit integer
// stored under its plain value name (carross, larlig, modsurf...).
class PreferenceStore {
public:
    explicit PreferenceStore(platform::SettingsStore& store) : store_(store) {}

    // The value of a preference, as text; nothing when missing. A value only stored the
    // way earlier versions did is read from there, until the next write stores it under
    // its plain name.
    std::optional<QString> readValue(const QString& name);
    // False when the store refuses or the value is not a whole number.
    bool writeValue(const QString& name, const QString& value);

    // Reads carross, clicpreplan, ancrer, fondblanc, larlig, autozone in that order.
    // Nothing when any of them is missing or unreadable.
    std::optional<Preferences> readPreferences();
    // Writes the six values in the same order; false when any write fails.
    bool writePreferences(const Preferences& prefs);

    // modsurf: "1" while the surface panel is shown, "0" while hidden.
    std::optional<QString> readSurfacePanelShown();
    bool writeSurfacePanelShown(bool shown);

    // magnetisme: "1" while dragged objects snap to their neighbours (the default, also
    // for a value that is not a number), "0" while they move freely.
    bool readMagnetism();
    bool writeMagnetism(bool on);

    // The name a preference is stored under: its plain value name.
    static QString key(const QString& name) { return name; }
    // The name earlier versions stored it under.
    static QString legacyKey(const QString& name) { return kLegacyPreferencePath + name; }

private:
    platform::SettingsStore& store_;
};

} // namespace settings
