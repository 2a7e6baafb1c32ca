#include "settings/PreferenceStore.h"

#include "platform/Numbers.h"

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

std::optional<Preferences> PreferenceStore::readSix() {
    Preferences p;
    bool* flags[] = {&p.carross, &p.clicpreplan, &p.ancrer, &p.fondblanc};
    const char* names[] = {"carross", "clicpreplan", "ancrer", "fondblanc"};
    for (int i = 0; i < 4; ++i) {
        const auto v = readValue(QLatin1String(names[i]));
        if (!v)
            return std::nullopt;
        *flags[i] = platform::parseNumber(*v).value_or(0) != 0;
    }
    const auto larlig = readValue(QStringLiteral("larlig"));
    if (!larlig)
        return std::nullopt;
    p.larlig = *larlig;
    const auto autozone = readValue(QStringLiteral("autozone"));
    if (!autozone)
        return std::nullopt;
    p.autozone = platform::parseNumber(*autozone).value_or(0) != 0;
    return p;
}

bool PreferenceStore::writeSix(const Preferences& p) {
    bool ok = true;
    ok = writeValue(QStringLiteral("carross"), flag(p.carross)) && ok;
    ok = writeValue(QStringLiteral("clicpreplan"), flag(p.clicpreplan)) && ok;
    ok = writeValue(QStringLiteral("ancrer"), flag(p.ancrer)) && ok;
    ok = writeValue(QStringLiteral("fondblanc"), flag(p.fondblanc)) && ok;
    ok = writeValue(QStringLiteral("larlig"), p.larlig) && ok;
    ok = writeValue(QStringLiteral("autozone"), flag(p.autozone)) && ok;
    return ok;
}

std::optional<QString> PreferenceStore::readModsurf() {
    return readValue(QStringLiteral("modsurf"));
}

bool PreferenceStore::writeModsurf(bool shown) {
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
