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
const QString EarlierFileId = QStringLiteral("nimbrel.desktop");
const QString KeywordsLine = QStringLiteral("Keywords=vehicle;car;damage;photo;inspection;report;\n");

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

// Removes a file that holds exactly the bytes this program writes there, so
// that a copy the user edited stays; whether it was removed.
bool RemoveIfExactly(const QString& path, const QByteArray& bytes)
{
    return ReadRegularFile(path) == bytes && QFile::remove(path);
}

// Whether an entry starts this program, compared as canonical paths; a bare
// name is looked up on the PATH.
bool RunsProgram(const QByteArray& entry, const QString& program)
{
    QString named = DesktopEntryProgram(entry);
    if (!named.isEmpty() && !named.contains(u'/'))
        named = QStandardPaths::findExecutable(named);
    const QString canonical = QFileInfo(program).canonicalFilePath();
    return !canonical.isEmpty() && QFileInfo(named).canonicalFilePath() == canonical;
}

// Whether the system's folders hold this program's entry and type: the first
// folder with the entry is the one the desktop reads.
bool InstalledForEveryone(const AssociationPlaces& places)
{
    for (const QString& folder : places.SystemDataDirs)
        if (const std::optional<QByteArray> entry
            = ReadRegularFile(folder + QStringLiteral("/applications/") + DesktopFileId))
            return IsRegularFile(folder + QStringLiteral("/mime/packages/") + MimePackageName)
                && RunsProgram(*entry, places.Program);
    return false;
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
                          "%4"
                          "MimeType=%3;\n")
        .arg(DesktopExecProgram(program), IconName, GroupMimeType, KeywordsLine);
}

QString DesktopEntryProgram(const QByteArray& entry)
{
    const QList<QByteArray> lines = entry.split('\n');
    const auto exec = std::find_if(lines.cbegin(), lines.cend(), [](const auto& line) { return HasKey(line, "Exec"); });
    if (exec == lines.cend())
        return QString();
    // The key's own escapes first, then the argument's quotes.
    const QString value = QString::fromUtf8(Bare(exec->mid(exec->indexOf('=') + 1)));
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            unescaped += value[i];
            continue;
        }
        const qsizetype named = QStringLiteral("sntr").indexOf(value[++i]);
        unescaped += named < 0 ? value[i] : QStringLiteral(" \n\t\r")[named];
    }
    QString program;
    const bool quoted = unescaped.startsWith(u'"');
    for (qsizetype i = quoted ? 1 : 0; i < unescaped.size(); ++i) {
        if (quoted ? unescaped[i] == u'"' : unescaped[i].isSpace())
            break;
        if (quoted && unescaped[i] == u'\\' && i + 1 < unescaped.size())
            ++i;
        program += unescaped[i];
    }
    return program.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

QByteArray MimeAppsWithDefault(const QByteArray& text, bool add, bool moveEarlier)
{
    // Lines keep their own ends: the program's line ends as the file's do.
    const QByteArray cr = text.contains("\r\n") ? "\r" : "";
    const QByteArray line = (GroupMimeType + u'=' + DesktopFileId + u';').toUtf8() + cr;
    QList<QByteArray> lines = text.split('\n');
    const auto isHeader = [](const QByteArray& each) { return Bare(each) == DefaultsSection; };
    const qsizetype header = std::find_if(lines.cbegin(), lines.cend(), isHeader) - lines.cbegin();
    if (header == lines.size()) {
        if (!add)
            return text;
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
            const QByteArray value = Bare(lines[i].mid(lines[i].indexOf('=') + 1));
            // The earlier version's own default follows its entry to the new id.
            const bool earlier = moveEarlier && value == (EarlierFileId + u';').toUtf8();
            if (!earlier && (!add || !QByteArray(value).replace(';', "").trimmed().isEmpty()))
                return text;
            lines[i] = line;
            return lines.join('\n');
        }
        if (!Bare(lines[i]).isEmpty())
            last = i;
    }
    if (!add)
        return text;
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
    const QString applications = places.DataHome + QStringLiteral("/applications");
    const QString entry = applications + u'/' + DesktopFileId;
    const QString icon = places.DataHome + QStringLiteral("/icons/hicolor/scalable/apps/") + IconName + ".svg";
    QFile resource(IconResource);
    const QByteArray svg = resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();

    const QString earlier = DesktopEntry(places.Program).remove(KeywordsLine);
    const QString earlierEntry = applications + u'/' + EarlierFileId;
    bool entryChanged = RemoveIfExactly(earlierEntry, earlier.toUtf8());
    // An earlier entry the user edited stays, and stays the default.
    const bool earlierGone = !QFileInfo::exists(earlierEntry) && !QFileInfo(earlierEntry).isSymLink();
    bool typeChanged = false;
    const bool everyone = InstalledForEveryone(places);
    if (everyone) {
        // The package's files serve; a copy of ours would outlive the package.
        typeChanged = RemoveIfExactly(package, MimeTypeXml().toUtf8());
        entryChanged = RemoveIfExactly(entry, DesktopEntry(places.Program).toUtf8()) || entryChanged;
        RemoveIfExactly(icon, svg);
    } else {
        typeChanged = WriteIfChanged(package, MimeTypeXml().toUtf8());
        entryChanged = WriteIfChanged(entry, DesktopEntry(places.Program).toUtf8()) || entryChanged;
        if (!svg.isEmpty())
            WriteIfChanged(icon, svg);
    }

    const QString mimeApps = places.ConfigHome + QStringLiteral("/mimeapps.list");
    if (const std::optional<QByteArray> text = ReadMimeApps(mimeApps))
        if (const QByteArray edited = MimeAppsWithDefault(*text, !everyone, earlierGone); edited != *text)
            WriteIfChanged(mimeApps, edited);

    // Installed for everyone, only a removal here calls for a refresh.
    if (typeChanged
        || (!everyone && QFileInfo::exists(package) && IsStale(mimeFolder + QStringLiteral("/mime.cache"), package)))
        runTool(QStringLiteral("update-mime-database"), { mimeFolder });
    if (entryChanged
        || (!everyone && QFileInfo::exists(entry) && IsStale(applications + QStringLiteral("/mimeinfo.cache"), entry)))
        runTool(QStringLiteral("update-desktop-database"), { applications });
}

AssociationPlaces UserPlaces()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList system = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    system.removeAll(dataHome);
    return { dataHome, QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
        QCoreApplication::applicationFilePath(), system };
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
