#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

// Files that tests make for themselves.

// Writes bytes to a path; fails the test when it cannot.
void WriteBytes(const QString& path, const QByteArray& bytes);
[[nodiscard]] QByteArray ReadBytes(const QString& path);

// A JPEG picture of the given size: a smooth gradient.
void WriteJpeg(const QString& path, QSize size, int quality = 85);

// The same JPEG with an EXIF block saying it must be turned (orientation 6:
// a quarter turn clockwise), as phone cameras write it.
void WriteRotatedJpeg(const QString& path, QSize storedSize);

// A small JPEG whose header declares a size it does not hold, the way a
// decompression bomb does.
void WriteJpegDeclaring(const QString& path, QSize declared);
