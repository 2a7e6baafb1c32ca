#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace platform {

// How a value is kept in the store.
enum class ValueType { Text, Integer32 };

// The persistent store of the preferences. A name may contain backslashes, which
// separate groups ("Software\Kestrion\carross" is carross in the group Software\Kestrion).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored value as text (a number as its decimal text); nothing when missing
    // or unreadable.
    virtual std::optional<QString> read(const QString& name) = 0;
    // False when the store refuses, or when an Integer32 value is not a whole number.
    virtual bool write(const QString& name, const QString& value, ValueType type) = 0;
};

// Per-user store backed by QSettings ("Kestrion" organisation and application).
// Each call opens the store afresh.
class QSettingsStore : public SettingsStore {
public:
    // An empty path uses the platform's usual per-user location.
    explicit QSettingsStore(QString iniPath = QString());
    std::optional<QString> read(const QString& name) override;
    bool write(const QString& name, const QString& value, ValueType type) override;

    // A registry-style name of earlier versions, "HKLM\Software\Kestrion\carross", becomes
    // the ini path "HKLM/Software/Kestrion/carross".
    static QString keyFor(const QString& name);

private:
    QString iniPath_;
};

// In-memory store for tests, which can be told to refuse reads or writes.
class MemoryStore : public SettingsStore {
public:
    std::optional<QString> read(const QString& name) override;
    bool write(const QString& name, const QString& value, ValueType type) override;

    QHash<QString, QString> values;
    QHash<QString, ValueType> types;
    bool refuseWrites = false;
    bool refuseReads = false;
};

} // namespace platform
