#include "platform/SettingsStore.h"

#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/stat.h>

namespace platform {

namespace {

// Where the store lives: the given path, or the platform's per-user ini file.
QString storePath(const QString& iniPath) {
    if (!iniPath.isEmpty())
        return iniPath;
    // Where QSettings keeps the organisation's ini file, named without opening it.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Kestrion/Kestrion.ini");
}

enum class StoreFile { Missing, Regular, Other };

// A FIFO or a device in the store's place would block reading or writing for ever,
// so only a regular file (or none yet) is used.
StoreFile storeFile(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT ? StoreFile::Missing : StoreFile::Other;
    return S_ISREG(info.st_mode) ? StoreFile::Regular : StoreFile::Other;
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
    const QString path = storePath(iniPath_);
    if (storeFile(path) != StoreFile::Regular)
        return std::nullopt;
    const QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    const QVariant value = settings.value(keyFor(name));
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

bool QSettingsStore::write(const QString& name, const QString& value, ValueType type) {
    const QString path = storePath(iniPath_);
    const std::optional<QVariant> stored = storedValue(value, type);
    const StoreFile existing = storeFile(path);
    if (!stored || existing == StoreFile::Other)
        return false;
    // The change is made on a private copy, and the store replaced whole by the safe
    // write, so a full disk leaves the previous preferences as they were.
    QByteArray before;
    if (existing == StoreFile::Regular) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        before = file.readAll();
        if (file.error() != QFile::NoError)
            return false;
    }
    const QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("store.ini"));
    if (!scratch.isValid() || !writeWholeFile(copy, before))
        return false;
    {
        QSettings settings(copy, QSettings::IniFormat);
        settings.setValue(keyFor(name), *stored);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    QFile changed(copy);
    if (!changed.open(QIODevice::ReadOnly))
        return false;
    const QByteArray after = changed.readAll();
    if (changed.error() != QFile::NoError)
        return false;
    return QDir().mkpath(QFileInfo(path).absolutePath()) && writeWholeFile(path, after);
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
