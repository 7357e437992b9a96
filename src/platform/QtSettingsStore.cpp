#include "QtSettingsStore.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QString SettingsKey(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

} // namespace

QString QtSettingsStore::Get(const QString& application, const QString& section, const QString& key) const
{
    // QSettings reports a file it cannot read through its status and reads
    // as empty; it never throws.
    const QSettings settings(FileName(application), QSettings::IniFormat);
    return settings.value(SettingsKey(section, key)).toString();
}

void QtSettingsStore::Save(const QString& application, const QString& section, const QString& key, const QString& value)
{
    QSettings settings(FileName(application), QSettings::IniFormat);
    // A file that cannot be read must not be written over: that would lose
    // the settings it holds. One that cannot be written is left alone before
    // the value is set, as QSettings would otherwise go on reading the value
    // it failed to write for the rest of the run.
    if (settings.status() == QSettings::AccessError || !settings.isWritable())
        return;
    settings.setValue(SettingsKey(section, key), value);
    settings.sync();
}

QString QtSettingsStore::FileName(const QString& application)
{
    // QSettings' per-user INI folder ($XDG_CONFIG_HOME on Linux), with the
    // ".conf" name that the program's settings file has there.
    const QSettings user(QSettings::IniFormat, QSettings::UserScope, application);
    return QFileInfo(user.fileName()).absolutePath() + u'/' + application + QStringLiteral(".conf");
}
