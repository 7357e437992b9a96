#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The group file: a header line "VOSKImageViewer1;<car value>", then one
// line per picture with two quoted fields, its full path and its object
// list. Lines end in CR LF.

inline const QString GroupMagic = QStringLiteral("VOSKImageViewer1");
inline constexpr qsizetype GroupSlotCount = 6;

struct GroupPicture {
    QString Path;
    QString Objects;

    friend bool operator==(const GroupPicture&, const GroupPicture&) = default;
};

struct GroupFileContent {
    QString Magic;
    QString CarValue;
    bool HasCarValue = false;
    // Read only when the magic is right, and at most six.
    QList<GroupPicture> Pictures;
    // The file names more pictures than a group holds.
    bool MorePictures = false;

    [[nodiscard]] bool HasValidMagic() const { return Magic == GroupMagic; }
};

// Parses the bytes of a group file. Throws UserError for a file that is
// empty or damaged. A wrong magic is no error here: the content then has
// the header's parts and no pictures.
[[nodiscard]] GroupFileContent ParseGroupFile(const QByteArray& bytes);

// The bytes of a group file. Throws UserError when a text holds a double
// quote, which the format cannot store.
[[nodiscard]] QByteArray FormatGroupFile(const QString& carValue, const QList<GroupPicture>& pictures);

// Marker indexes and counts are 16-bit: a group holds at most this many.
inline constexpr qsizetype MaxGroupMarkers = 32767;

// Throws UserError naming the file at a path when its pictures carry more
// markers than a group can hold.
void CheckMarkerCount(const GroupFileContent& content, const QString& path);

// Reads and parses the group file at a path; throws UserError with a text
// naming the file and the problem.
[[nodiscard]] GroupFileContent ReadGroupFile(const QString& path);

// Replaces the group file at a path in one step: a write that fails leaves
// any old file exactly as it was. Throws UserError naming the file.
void WriteGroupFile(const QString& path, const QString& carValue, const QList<GroupPicture>& pictures);
