#pragma once

#include "SettingsStore.h"

// The settings store on QSettings: one INI file per application,
// "<application>.conf" in QSettings' per-user INI folder, so the program's
// settings are "$XDG_CONFIG_HOME/VOSKViewer.conf" on Linux. A section and a
// key make the INI key "Section/Key": the key Key in the group [Section].
class QtSettingsStore : public SettingsStore {
public:
    [[nodiscard]] QString Get(const QString& application, const QString& section, const QString& key) const override;
    void Save(const QString& application, const QString& section, const QString& key, const QString& value) override;

    // The file that holds an application's settings.
    [[nodiscard]] static QString FileName(const QString& application);
};
