#pragma once

#include "SettingsStore.h"

#include <map>
#include <memory>

class QSettings;

// The settings store on QSettings: one INI file per application,
// "<application>.conf" in the user's configuration folder, so the program's
// settings are "$XDG_CONFIG_HOME/VOSKViewer.conf" on Linux. A section and a
// key make the INI key "Section/Key": the key Key in the group [Section].
// The file is read once, on first use, and saved values are written together
// in one pass, so a large file costs one rewrite rather than one a value.
// Anything at its path but a regular file or a link to one reads as empty
// and is never opened or written.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    [[nodiscard]] QString Get(const QString& application, const QString& section, const QString& key) const override;
    void Save(const QString& application, const QString& section, const QString& key, const QString& value) override;

    // The file that holds an application's settings.
    [[nodiscard]] static QString FileName(const QString& application);

private:
    // An application's settings, made on first use; none when its file is
    // something the store must not open.
    [[nodiscard]] QSettings* Settings(const QString& application) const;

    mutable std::map<QString, std::unique_ptr<QSettings>> m_settings;
};
