#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// What a stat tells of a file: the same stamp, the same file with the same
// bytes, as far as can be known without reading it. A file replaced (a new
// inode), rewritten (a new time) or grown or cut short has another stamp.
struct FileStamp {
    qint64 Device = -1;
    qint64 Inode = -1;
    qint64 Size = -1;
    qint64 ModifiedNanoseconds = -1;

    // False for a file that is not there or is no regular file.
    [[nodiscard]] bool IsValid() const { return Size >= 0; }
    bool operator==(const FileStamp&) const = default;
};

[[nodiscard]] FileStamp FileStampOf(const QString& path);

// The pixels a picture's fitted view is painted from, as the decoder makes
// them (its smallest reduction that covers the fitted size), with the file
// they were decoded from as it was then.
struct FittedView {
    QString Path;
    FileStamp Stamp;
    // The picture's size, upright; invalid when its decoder does not reduce
    // it (only a JPEG's does), and then there are no pixels.
    QSize Natural;
    QImage Pixels;

    // True when the pixels are those of the fitted view in a box of this
    // size, and the file at the path still has its stamp.
    [[nodiscard]] bool ShowsFileIn(const QString& path, QSize box) const;
};

// The file at a path as it is now and, when its decoder reduces it (a
// JPEG) to a size that covers its fitted view in a box, its natural size;
// no pixels yet. Throws PictureError.
[[nodiscard]] FittedView ReadFittedView(const QString& path, QSize box);
// The pixels of a view that has a natural size, decoded for a box. The
// stamp was taken before, so a file changed meanwhile is read again when
// shown. Throws PictureError.
void DecodeFittedView(FittedView& view, QSize box);
