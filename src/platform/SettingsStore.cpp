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
} // namespace

QSettingsStore::QSettingsStore(QString iniPath) : iniPath_(std::move(iniPath)) {}

QString QSettingsStore::keyFor(const QString& name) {
    QString key = name;
    if (key.endsWith(QLatin1Char('\\')))
        key += QStringLiteral("Default");
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

bool QSettingsStore::write(int genre, const QString& name, const QString& value) {
    auto settings = openSettings(iniPath_);
    if (!settings->isWritable())
        return false;
    if (genre == 1) {
        bool ok = false;
        const int number = value.trimmed().toInt(&ok);
        if (!ok)
            return false;
        settings->setValue(keyFor(name), number);
    } else {
        settings->setValue(keyFor(name), value);
    }
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

bool MemoryStore::write(int genre, const QString& name, const QString& value) {
    if (refuseWrites)
        return false;
    if (genre == 1) {
        bool ok = false;
        const int number = value.trimmed().toInt(&ok);
        if (!ok)
            return false;
        values.insert(name, QString::number(number));
    } else {
        values.insert(name, value);
    }
    genres.insert(name, genre);
    return true;
}

} // namespace platform
