#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// The association of group files with this program on a freedesktop.org
// desktop, for the current user: a MIME type for "*.grp", a desktop entry
// that runs this program with the file, the type's default application and
// the program's icon. Rewritten at every start, so that the files follow the
// program when it moves; a file whose content is already right is left
// untouched, and every failure is ignored. A program whose entry and type
// are installed for everyone (the package's) writes none of them for the
// user, so that removing the package leaves nothing behind.

inline const QString GroupMimeType = QStringLiteral("application/x-vosk-document");
// Reverse-DNS, as the software centre's metadata names the program.
inline const QString DesktopFileId = QStringLiteral("org.nimbrel.Nimbrel.desktop");
inline const QString MimePackageName = QStringLiteral("nimbrel.xml");
inline const QString IconName = QStringLiteral("nimbrel");

// Where the association goes and which program it starts.
struct AssociationPlaces {
    QString DataHome; // $XDG_DATA_HOME
    QString ConfigHome; // $XDG_CONFIG_HOME
    QString Program; // the program's full path
    QStringList SystemDataDirs; // $XDG_DATA_DIRS, where a package installs
};

// Runs a refresh tool by name with its arguments; the association asks for
// "update-mime-database" and "update-desktop-database".
using ToolRunner = std::function<void(const QString& tool, const QStringList& arguments)>;

// The shared-mime-info package that names the type of group files.
[[nodiscard]] QString MimeTypeXml();

// A program path as one argument of a desktop entry's Exec key: bare when it
// holds only plain characters, otherwise in double quotes with '"', '`', '$'
// and '\' escaped; then "%" doubled and '\' escaped once more, as the key's
// string value requires.
[[nodiscard]] QString DesktopExecProgram(const QString& program);

// The desktop entry that starts the program (a full path, or a name found on
// the PATH) with the group file opened.
[[nodiscard]] QString DesktopEntry(const QString& program);

// The program a desktop entry's Exec key starts, its quotes and escapes
// undone; empty without the key.
[[nodiscard]] QString DesktopEntryProgram(const QByteArray& entry);

// mimeapps.list with the group type's default application added under
// "[Default Applications]" when none is recorded there (only when asked to
// add), and the default that names the earlier version's entry alone renamed
// to the current id when that entry is gone (moveEarlier); otherwise the text unchanged, so a default the user
// chose stays. Only that line, and the section's header when missing, is
// written: every other byte stays, in whatever encoding and with whatever
// line ends it has.
[[nodiscard]] QByteArray MimeAppsWithDefault(const QByteArray& text, bool add, bool moveEarlier = true);

// Writes the association below the places' folders, or, when the system's
// folders hold this program's entry and type, removes the copies that earlier
// starts wrote there unchanged; the earlier version's entry gives way to the
// new id. Runs the refresh tools when anything changed or, writing, when a
// cache is missing or stale.
void RegisterFileType(const AssociationPlaces& places, const ToolRunner& runTool);

// The current user's folders, the system's and this program.
[[nodiscard]] AssociationPlaces UserPlaces();

// Runs a tool found on the PATH and waits for it at most a few seconds; a
// missing or hanging tool is passed over.
void RunRefreshTool(const QString& tool, const QStringList& arguments);
