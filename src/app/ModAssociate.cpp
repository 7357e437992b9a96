#include "ModAssociate.h"

#include "common/UserError.h"
#include "common/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace {

const QByteArray DefaultsSection = "[Default Applications]";
const QByteArray ByteOrderMark = "\xEF\xBB\xBF";
const QString IconResource = QStringLiteral(":/artwork/nimbrel.svg");

// Characters that make a desktop entry's Exec argument need quotes.
bool IsReserved(QChar c)
{
    return QStringLiteral(" \t\n\"'\\><~|&;$*?#`()").contains(c);
}

// A line of mimeapps.list without its blanks, its CR and a leading byte
// order mark.
QByteArray Bare(const QByteArray& line)
{
    return (line.startsWith(ByteOrderMark) ? line.mid(ByteOrderMark.size()) : line).trimmed();
}

// Whether a key=value line has the given key.
bool HasKey(const QByteArray& line, const QByteArray& key)
{
    const qsizetype equals = line.indexOf('=');
    return equals >= 0 && Bare(line.left(equals)) == key;
}

// Writes a file in one step, unless it already holds the bytes; whether it
// was written. A pipe or a device in its place is never opened.
bool WriteIfChanged(const QString& path, const QByteArray& bytes)
{
    if (ReadRegularFile(path) == bytes || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    try {
        ReplaceFile(path, bytes);
        return true;
    } catch (const UserError&) {
        return false;
    }
}

// A cache that is missing, or older than what it is made from.
bool IsStale(const QString& cache, const QString& source)
{
    const QFileInfo cacheInfo(cache);
    return !cacheInfo.exists() || cacheInfo.lastModified() < QFileInfo(source).lastModified();
}

// mimeapps.list as it stands; nullopt when something is there that is not a
// readable regular file, so that it is never replaced by a file without the
// user's lines.
std::optional<QByteArray> ReadMimeApps(const QString& path)
{
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
        return QByteArray();
    return ReadRegularFile(path);
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

QByteArray MimeAppsWithDefault(const QByteArray& text)
{
    // Lines keep their own ends: the program's line ends as the file's do.
    const QByteArray cr = text.contains("\r\n") ? "\r" : "";
    const QByteArray line = (GroupMimeType + u'=' + DesktopFileId + u';').toUtf8() + cr;
    QList<QByteArray> lines = text.split('\n');
    const auto isHeader = [](const QByteArray& each) { return Bare(each) == DefaultsSection; };
    const qsizetype header = std::find_if(lines.cbegin(), lines.cend(), isHeader) - lines.cbegin();
    if (header == lines.size()) {
        QByteArray added = text;
        if (!added.isEmpty() && !added.endsWith('\n'))
            added += cr + '\n';
        if (!added.isEmpty())
            added += cr + '\n';
        return added + DefaultsSection + cr + '\n' + line + '\n';
    }
    const QByteArray type = GroupMimeType.toUtf8();
    qsizetype last = header;
    for (qsizetype i = header + 1; i < lines.size() && !Bare(lines[i]).startsWith('['); ++i) {
        if (HasKey(lines[i], type)) {
            const QByteArray value = lines[i].mid(lines[i].indexOf('=') + 1);
            if (!value.trimmed().replace(';', "").trimmed().isEmpty())
                return text;
            lines[i] = line;
            return lines.join('\n');
        }
        if (!Bare(lines[i]).isEmpty())
            last = i;
    }
    // After a last line without its end, that line is ended first.
    if (last + 1 == lines.size()) {
        lines[last] += cr;
        lines.append(QByteArray());
    }
    lines.insert(last + 1, line);
    return lines.join('\n');
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
    if (const std::optional<QByteArray> text = ReadMimeApps(mimeApps))
        WriteIfChanged(mimeApps, MimeAppsWithDefault(*text));

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
