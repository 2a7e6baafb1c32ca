#include "settings/PreferenceStore.h"

#include "platform/Numbers.h"

namespace settings {

namespace {
QString flag(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

std::optional<QString> PreferenceStore::readValue(const QString& nom) {
    return store_.read(nom);
}

bool PreferenceStore::writeValue(int genre, const QString& nom, const QString& valeur) {
    return store_.write(genre, nom, valeur);
}

std::optional<Preferences> PreferenceStore::readSix() {
    Preferences p;
    bool* flags[] = {&p.carross, &p.clicpreplan, &p.ancrer, &p.fondblanc};
    const char* names[] = {"carross", "clicpreplan", "ancrer", "fondblanc"};
    for (int i = 0; i < 4; ++i) {
        const auto v = readValue(key(QLatin1String(names[i])));
        if (!v)
            return std::nullopt;
        *flags[i] = platform::parseNumber(*v).value_or(0) != 0;
    }
    const auto larlig = readValue(key(QStringLiteral("larlig")));
    if (!larlig)
        return std::nullopt;
    p.larlig = *larlig;
    const auto autozone = readValue(key(QStringLiteral("autozone")));
    if (!autozone)
        return std::nullopt;
    p.autozone = platform::parseNumber(*autozone).value_or(0) != 0;
    return p;
}

bool PreferenceStore::writeSix(const Preferences& p) {
    bool ok = true;
    ok = writeValue(1, key(QStringLiteral("carross")), flag(p.carross)) && ok;
    ok = writeValue(1, key(QStringLiteral("clicpreplan")), flag(p.clicpreplan)) && ok;
    ok = writeValue(1, key(QStringLiteral("ancrer")), flag(p.ancrer)) && ok;
    ok = writeValue(1, key(QStringLiteral("fondblanc")), flag(p.fondblanc)) && ok;
    ok = writeValue(1, key(QStringLiteral("larlig")), p.larlig) && ok;
    ok = writeValue(1, key(QStringLiteral("autozone")), flag(p.autozone)) && ok;
    return ok;
}

std::optional<QString> PreferenceStore::readModsurf() {
    return readValue(key(QStringLiteral("modsurf")));
}

bool PreferenceStore::writeModsurf(bool shown) {
    return writeValue(1, key(QStringLiteral("modsurf")), flag(shown));
}

} // namespace settings
