#include "settings/PreferenceStore.h"

#include "platform/Numbers.h"

#include <utility>

namespace settings {

namespace {
QString flag(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

std::optional<QString> PreferenceStore::readValue(const QString& name) {
    if (std::optional<QString> value = store_.read(key(name)))
        return value;
    return store_.read(legacyKey(name));
}

bool PreferenceStore::writeValue(const QString& name, const QString& value) {
    return store_.write(key(name), value, platform::ValueType::Integer32);
}

std::optional<Preferences> PreferenceStore::readPreferences() {
    Preferences p;
    const std::pair<const char*, bool*> flags[] = {{"carross", &p.bodyLinesInFront},
                                                   {"clicpreplan", &p.clickBringsToFront},
                                                   {"ancrer", &p.anchorOnScroll},
                                                   {"fondblanc", &p.whiteTextBackground}};
    for (const auto& [name, value] : flags) {
        const auto text = readValue(QLatin1String(name));
        if (!text)
            return std::nullopt;
        *value = platform::parseNumber(*text).value_or(0) != 0;
    }
    const auto lineWidth = readValue(QStringLiteral("larlig"));
    if (!lineWidth)
        return std::nullopt;
    p.lineWidth = *lineWidth;
    const auto automaticZone = readValue(QStringLiteral("autozone"));
    if (!automaticZone)
        return std::nullopt;
    p.automaticZone = platform::parseNumber(*automaticZone).value_or(0) != 0;
    return p;
}

bool PreferenceStore::writePreferences(const Preferences& p) {
    bool ok = true;
    ok = writeValue(QStringLiteral("carross"), flag(p.bodyLinesInFront)) && ok;
    ok = writeValue(QStringLiteral("clicpreplan"), flag(p.clickBringsToFront)) && ok;
    ok = writeValue(QStringLiteral("ancrer"), flag(p.anchorOnScroll)) && ok;
    ok = writeValue(QStringLiteral("fondblanc"), flag(p.whiteTextBackground)) && ok;
    ok = writeValue(QStringLiteral("larlig"), p.lineWidth) && ok;
    ok = writeValue(QStringLiteral("autozone"), flag(p.automaticZone)) && ok;
    return ok;
}

std::optional<QString> PreferenceStore::readSurfacePanelShown() {
    return readValue(QStringLiteral("modsurf"));
}

bool PreferenceStore::writeSurfacePanelShown(bool shown) {
    return writeValue(QStringLiteral("modsurf"), flag(shown));
}

bool PreferenceStore::readMagnetism() {
    const std::optional<QString> value = readValue(QStringLiteral("magnetisme"));
    return !value || platform::parseNumber(*value).value_or(1) != 0;
}

bool PreferenceStore::writeMagnetism(bool on) {
    return writeValue(QStringLiteral("magnetisme"), flag(on));
}

} // namespace settings
