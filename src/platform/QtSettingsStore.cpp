#include "QtSettingsStore.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString SettingsKey(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

// A regular file, a link to one, or nothing yet. QSettings would block for
// ever opening a FIFO, and would put a new file in place of a link it cannot
// follow: anything else there is the user's and is left as it is.
bool MayOpen(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() || (!file.exists() && !file.isSymLink());
}

} // namespace

// Here, where QSettings is a complete type.
QtSettingsStore::QtSettingsStore() = default;

// QSettings writes the values still pending as it goes.
QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::Get(const QString& application, const QString& section, const QString& key) const
{
    // QSettings reports a file it cannot read through its status and reads
    // as empty; it never throws.
    const QSettings* settings = Settings(application);
    return settings ? settings->value(SettingsKey(section, key)).toString() : QString();
}

void QtSettingsStore::Save(const QString& application, const QString& section, const QString& key, const QString& value)
{
    QSettings* settings = Settings(application);
    // A file that cannot be read must not be written over: that would lose
    // the settings it holds. One that cannot be written is left alone before
    // the value is set, as QSettings would otherwise go on reading the value
    // it failed to write for the rest of the run.
    if (!settings || settings->status() == QSettings::AccessError || !settings->isWritable())
        return;
    // No sync() here: QSettings writes every pending value at once when
    // control returns to the event loop, or when the store goes.
    settings->setValue(SettingsKey(section, key), value);
}

QString QtSettingsStore::FileName(const QString& application)
{
    // QSettings' per-user INI folder ($XDG_CONFIG_HOME on Linux), found
    // without asking QSettings, which would read files there to answer.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + application
        + QStringLiteral(".conf");
}

QSettings* QtSettingsStore::Settings(const QString& application) const
{
    if (const auto found = m_settings.find(application); found != m_settings.end())
        return found->second.get();
    // What the path holds is judged once: a file left alone stays so for the run.
    const QString path = FileName(application);
    auto settings = MayOpen(path) ? std::make_unique<QSettings>(path, QSettings::IniFormat) : nullptr;
    return m_settings.emplace(application, std::move(settings)).first->second.get();
}
