#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Whole files read and written without surprises: a pipe or a device is
// never opened for reading (it could block for ever) and never replaced by a
// regular file, and a file is replaced only once every byte of the new one
// is on the disk.

// Whether a path names a regular file, or a symbolic link to one. The file
// is not opened.
[[nodiscard]] bool IsRegularFile(const QString& path);

// The bytes of a regular file; nullopt when there is none at the path, it is
// not a regular file, or it cannot be read.
[[nodiscard]] std::optional<QByteArray> ReadRegularFile(const QString& path);

// Throws UserError with the reason when a file at the path could not be
// replaced: something is there that is not a regular file (a pipe, a device,
// a folder, a broken link), or an existing file may not be written.
void CheckReplaceable(const QString& path);

// Writes the bytes beside the file, then puts them in its place in one step
// (through a symbolic link, onto the file it names), keeping an existing
// file's permissions. Throws UserError with the system's reason ("No space
// left on device") when anything fails; the old file is then as it was.
void ReplaceFile(const QString& path, const QByteArray& bytes);

// Writes the bytes beside the path, then puts them there in one step only
// when nothing is there: a file that appeared meanwhile, even one another
// program wrote a moment before, is kept. Throws UserError with the system's
// reason ("File exists") when anything fails; nothing is left behind then.
void PlaceNewFile(const QString& path, const QByteArray& bytes);
