#pragma once

#include <QByteArray>
#include <QString>

// Group files are written as UTF-8. Files made on Windows are in its
// Windows-1252 code page: bytes that are not valid UTF-8 from their first to
// their last byte are read as that. Every byte is read: a UTF-8 byte order
// mark stays in the text as U+FEFF.
[[nodiscard]] QString DecodeGroupText(const QByteArray& bytes);
