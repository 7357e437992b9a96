#include "ModAssociate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace {

const QString DefaultsSection = QStringLiteral("[Default Applications]");
const QString IconResource = QStringLiteral(":/artwork/nimbrel.svg");

// Characters that make a desktop entry's Exec argument need quotes.
bool IsReserved(QChar c)
{
    return QStringLiteral(" \t\n\"'\\><~|&;$*?#`()").contains(c);
}

// The value of a key=value line whose key is the given one, or a null string.
QString ValueOf(const QString& line, const QString& key)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || line.left(equals).trimmed() != key)
        return {};
    return line.mid(equals + 1);
}

// Whether a file holds exactly these bytes.
bool HoldsBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() == bytes.size() && file.readAll() == bytes;
}

// Writes a file in one step, unless it already holds the bytes; whether it
// was written.
bool WriteIfChanged(const QString& path, const QByteArray& bytes)
{
    if (HoldsBytes(path, bytes))
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// A cache that is missing, or older than what it is made from.
bool IsStale(const QString& cache, const QString& source)
{
    const QFileInfo cacheInfo(cache);
    return !cacheInfo.exists() || cacheInfo.lastModified() < QFileInfo(source).lastModified();
}

// mimeapps.list as it stands; nullopt when it exists but cannot be read, so
// that it is never replaced by a file without the user's lines.
std::optional<QString> ReadMimeApps(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString MimeTypeXml()
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>Vosk Document</comment>\n"
                          "    <sub-class-of type=\"text/plain\"/>\n"
                          "    <glob pattern=\"*.grp\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(GroupMimeType);
}

QString DesktopExecProgram(const QString& program)
{
    QString argument = program;
    if (std::any_of(program.cbegin(), program.cend(), IsReserved)) {
        argument = QStringLiteral("\"");
        for (const QChar c : program) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                argument += u'\\';
            argument += c;
        }
        argument += u'"';
    }
    argument.replace(u'%', QStringLiteral("%%"));
    // The key's own escapes come on top of the quoting.
    argument.replace(u'\\', QStringLiteral("\\\\"));
    argument.replace(u'\n', QStringLiteral("\\n"));
    argument.replace(u'\t', QStringLiteral("\\t"));
    argument.replace(u'\r', QStringLiteral("\\r"));
    return argument;
}

QString DesktopEntry(const QString& program)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Nimbrel\n"
                          "GenericName=Vehicle Damage Records\n"
                          "Comment=Record damage on a vehicle from photographs\n"
                          "Exec=%1 %f\n"
                          "Icon=%2\n"
                          "Terminal=false\n"
                          "Categories=Graphics;Photography;\n"
                          "MimeType=%3;\n")
        .arg(DesktopExecProgram(program), IconName, GroupMimeType);
}

QString MimeAppsWithDefault(const QString& text)
{
    const QString line = GroupMimeType + u'=' + DesktopFileId + u';';
    // Split and joined again on "\n", every other line stays as it was.
    QStringList lines = text.split(u'\n');
    const auto isHeader = [](const QString& each) { return each.trimmed() == DefaultsSection; };
    const qsizetype header = std::find_if(lines.cbegin(), lines.cend(), isHeader) - lines.cbegin();
    if (header == lines.size()) {
        QString added = text;
        if (!added.isEmpty() && !added.endsWith(u'\n'))
            added += u'\n';
        if (!added.isEmpty())
            added += u'\n';
        return added + DefaultsSection + u'\n' + line + u'\n';
    }
    qsizetype last = header;
    for (qsizetype i = header + 1; i < lines.size() && !lines[i].trimmed().startsWith(u'['); ++i) {
        const QString value = ValueOf(lines[i], GroupMimeType);
        if (!value.isNull()) {
            if (!value.trimmed().remove(u';').trimmed().isEmpty())
                return text;
            lines[i] = line;
            return lines.join(u'\n');
        }
        if (!lines[i].trimmed().isEmpty())
            last = i;
    }
    lines.insert(last + 1, line);
    return lines.join(u'\n');
}

void RegisterFileType(const AssociationPlaces& places, const ToolRunner& runTool)
{
    const QString mimeFolder = places.DataHome + QStringLiteral("/mime");
    const QString package = mimeFolder + QStringLiteral("/packages/") + MimePackageName;
    const bool typeChanged = WriteIfChanged(package, MimeTypeXml().toUtf8());

    const QString applications = places.DataHome + QStringLiteral("/applications");
    const QString entry = applications + u'/' + DesktopFileId;
    const bool entryChanged = WriteIfChanged(entry, DesktopEntry(places.Program).toUtf8());

    QFile icon(IconResource);
    if (icon.open(QIODevice::ReadOnly))
        WriteIfChanged(
            places.DataHome + QStringLiteral("/icons/hicolor/scalable/apps/") + IconName + ".svg", icon.readAll());

    const QString mimeApps = places.ConfigHome + QStringLiteral("/mimeapps.list");
    if (const std::optional<QString> text = ReadMimeApps(mimeApps))
        WriteIfChanged(mimeApps, MimeAppsWithDefault(*text).toUtf8());

    if (QFileInfo::exists(package) && (typeChanged || IsStale(mimeFolder + QStringLiteral("/mime.cache"), package)))
        runTool(QStringLiteral("update-mime-database"), { mimeFolder });
    if (QFileInfo::exists(entry) && (entryChanged || IsStale(applications + QStringLiteral("/mimeinfo.cache"), entry)))
        runTool(QStringLiteral("update-desktop-database"), { applications });
}

AssociationPlaces UserPlaces()
{
    return { QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
        QCoreApplication::applicationFilePath() };
}

void RunRefreshTool(const QString& tool, const QStringList& arguments)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(path, arguments);
    if (!process.waitForStarted(2000))
        return;
    // A refresh takes a fraction of a second; start-up never waits long.
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}
