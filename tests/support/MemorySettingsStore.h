#pragma once

#include "platform/SettingsStore.h"

#include <QMap>
#include <QString>

// A settings store held in memory, for a test that must not touch the user's
// settings: every value by application, section and key.
class MemorySettingsStore : public SettingsStore {
public:
    [[nodiscard]] QString Get(const QString& application, const QString& section, const QString& key) const override
    {
        return Values.value(Path(application, section, key));
    }
    void Save(const QString& application, const QString& section, const QString& key, const QString& value) override
    {
        Values.insert(Path(application, section, key), value);
    }

    // "Application/Section/Key" of a value in Values.
    [[nodiscard]] static QString Path(const QString& application, const QString& section, const QString& key)
    {
        return application + u'/' + section + u'/' + key;
    }

    QMap<QString, QString> Values;
};
