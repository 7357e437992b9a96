#pragma once

#include <QString>

// The per-user settings of the program: a tree of application, section and
// key, each value a string. Reading and writing never fail outward: a store
// that cannot be read reads as empty, one that cannot be written keeps what
// it had.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The value at an application, section and key; empty when there is none
    // or it cannot be read.
    [[nodiscard]] virtual QString Get(const QString& application, const QString& section, const QString& key) const = 0;
    // Stores a value; a store that cannot be written is ignored. The value
    // may reach the disk later, at the latest when the store goes.
    virtual void Save(const QString& application, const QString& section, const QString& key, const QString& value) = 0;
};
