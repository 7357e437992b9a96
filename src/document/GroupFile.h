#pragma once

#include "common/GroupPicture.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The group file: a header line "VOSKImageViewer1;<car value>", then one
// line per picture with two quoted fields, its full path and its object
// list. Lines end in CR LF. A picture line with an empty path names no
// picture; it is kept as it stands and written back after the pictures.

inline const QString GroupMagic = QStringLiteral("VOSKImageViewer1");

struct GroupFileContent {
    QString Magic;
    QString CarValue;
    bool HasCarValue = false;
    // The rest is read only when the magic is right.
    // The pictures with a path, at most GroupSlotCount, in file order.
    QList<GroupPicture> Pictures;
    // Picture lines whose path is empty, as they stood in the file (decoded
    // text, without their line end); they are written back after the picture
    // lines.
    QStringList KeptLines;
    // How many pictures with a path the file names, also beyond the six a
    // group holds.
    qsizetype NamedPictures = 0;

    [[nodiscard]] bool HasValidMagic() const { return Magic == GroupMagic; }
};

// Parses the bytes of a group file. Throws UserError for a file that is
// empty or damaged. A wrong magic is no error here: the content then has
// the header's parts and no pictures.
[[nodiscard]] GroupFileContent ParseGroupFile(const QByteArray& bytes);

// The bytes of a group file: the header, a line per picture, then the kept
// lines as they stand. Throws UserError when the car value or a picture's
// text holds a double quote, which the format cannot store.
[[nodiscard]] QByteArray FormatGroupFile(
    const QString& carValue, const QList<GroupPicture>& pictures, const QStringList& keptLines = {});

// Marker indexes and counts are 16-bit: a group holds at most this many.
inline constexpr qsizetype MaxGroupMarkers = 32767;

// Throws UserError naming the file at a path when its pictures carry more
// markers than a group can hold; kept lines are not counted.
void CheckMarkerCount(const GroupFileContent& content, const QString& path);

// What a user is told when a group file names more pictures than a group
// has slots; empty when the file names no more than that.
[[nodiscard]] QString ExtraPicturesNotice(const GroupFileContent& content);

// Reads and parses the group file at a path; throws UserError with a text
// naming the file and the problem.
[[nodiscard]] GroupFileContent ReadGroupFile(const QString& path);

// Replaces the group file at a path in one step with the bytes
// FormatGroupFile gives: a write that fails leaves any old file exactly as
// it was; an existing pipe or device is never replaced. Throws UserError
// naming the file and the system's reason.
void WriteGroupFile(const QString& path, const QString& carValue, const QList<GroupPicture>& pictures,
    const QStringList& keptLines = {});
