#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace platform {

// The persistent store of the preferences and of the file-type registration.
// Names are full key names in the program's historic form, for example
// "HKLM\Software\Kestrion\carross"; a name ending in a backslash names a key's
// default value.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value as text (a number as its decimal text); nothing when missing
    // or unreadable.
    virtual std::optional<QString> read(const QString& name) = 0;
    // genre 0 stores a text, genre 1 a 32-bit integer. False when the store refuses.
    virtual bool write(int genre, const QString& name, const QString& value) = 0;
};

// Per-user store backed by QSettings ("Kestrion" organisation and application).
// Each call opens the store afresh.
class QSettingsStore : public SettingsStore {
public:
    // An empty path uses the platform's usual per-user location.
    explicit QSettingsStore(QString iniPath = QString());
    std::optional<QString> read(const QString& name) override;
    bool write(int genre, const QString& name, const QString& value) override;

    // "HKLM\Software\Kestrion\carross" -> "HKLM/Software/Kestrion/carross";
    // a trailing backslash names the key's "Default" entry.
    static QString keyFor(const QString& name);

private:
    QString iniPath_;
};

// In-memory store for tests, which can be told to refuse reads or writes.
class MemoryStore : public SettingsStore {
public:
    std::optional<QString> read(const QString& name) override;
    bool write(int genre, const QString& name, const QString& value) override;

    QHash<QString, QString> values;
    QHash<QString, int> genres;
    bool refuseWrites = false;
    bool refuseReads = false;
};

} // namespace platform
