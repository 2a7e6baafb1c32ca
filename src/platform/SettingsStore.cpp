#include "platform/SettingsStore.h"

#include <QSettings>

#include <memory>

namespace platform {

namespace {
std::unique_ptr<QSettings> openSettings(const QString& iniPath) {
    if (iniPath.isEmpty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("Kestrion"), QStringLiteral("Kestrion"));
    return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

// The value as it is kept: an Integer32 must be a whole number, blanks around it allowed.
std::optional<QVariant> storedValue(const QString& value, ValueType type) {
    if (type == ValueType::Text)
        return QVariant(value);
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return QVariant(number);
}
} // namespace

QSettingsStore::QSettingsStore(QString iniPath) : iniPath_(std::move(iniPath)) {}

QString QSettingsStore::keyFor(const QString& name) {
    QString key = name;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return key;
}

std::optional<QString> QSettingsStore::read(const QString& name) {
    auto settings = openSettings(iniPath_);
    if (settings->status() != QSettings::NoError)
        return std::nullopt;
    const QVariant value = settings->value(keyFor(name));
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

bool QSettingsStore::write(const QString& name, const QString& value, ValueType type) {
    auto settings = openSettings(iniPath_);
    const std::optional<QVariant> stored = storedValue(value, type);
    if (!settings->isWritable() || !stored)
        return false;
    settings->setValue(keyFor(name), *stored);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

std::optional<QString> MemoryStore::read(const QString& name) {
    if (refuseReads)
        return std::nullopt;
    auto it = values.constFind(name);
    if (it == values.constEnd())
        return std::nullopt;
    return *it;
}

bool MemoryStore::write(const QString& name, const QString& value, ValueType type) {
    const std::optional<QVariant> stored = storedValue(value, type);
    if (refuseWrites || !stored)
        return false;
    values.insert(name, stored->toString());
    types.insert(name, type);
    return true;
}

} // namespace platform
