#pragma once

#include "FittedView.h"
#include "common/UserError.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

// Pictures are read from their files with their EXIF orientation applied.
// Only regular files are opened, and a picture whose header declares more
// pixels than MaxPicturePixels is refused before anything is decoded.

inline constexpr qint64 MaxPicturePixels = 250'000'000;
// Enough for a full decode of the largest picture that is accepted.
inline constexpr int PictureAllocationLimitMB = 1100;

class PictureError : public UserError {
public:
    // Missing: nothing is at the path. Unreadable: something is, or may be,
    // but no picture can be read from it; the text says why.
    enum class Kind { Missing, Unreadable };

    PictureError(Kind kind, QString text)
        : UserError(std::move(text))
        , m_kind(kind)
    {
    }

    [[nodiscard]] Kind GetKind() const noexcept { return m_kind; }

private:
    Kind m_kind;
};

// Raises the decoder's allocation limit to fit the largest accepted
// picture, and has the memory of every large picture given back to the
// system when it is freed; called once at start-up.
void ConfigurePictureReading();

// The picture shown for one that cannot be: a dark frame of a size with a
// title ("picture missing") and the reason.
[[nodiscard]] QImage PlaceholderPicture(const QString& title, const QString& reason, QSize size);

// The picture at a path. With a valid fitInto size the picture is decoded
// at (about) the largest size that fits into it keeping its proportions, so
// the decoder can skip work; with Qt::IgnoreAspectRatio it is decoded at the
// box's own size instead, each side no larger than the picture's, for a
// picture that is stretched into a box anyway. It is never enlarged.
// Throws PictureError.
[[nodiscard]] QImage LoadPicture(
    const QString& path, QSize fitInto = {}, Qt::AspectRatioMode mode = Qt::KeepAspectRatio);

// What the header of a picture file tells, read without decoding it.
struct PictureHeader {
    // The size once turned upright; invalid when the format does not tell.
    QSize Size;
    // The decoder itself decodes the picture at a half, a quarter or an
    // eighth of its size, for a fraction of the work of a full decode (JPEG).
    bool DecodesReduced = false;
};

// Throws PictureError.
[[nodiscard]] PictureHeader ReadPictureHeader(const QString& path);

// The smallest of the decoder's own reductions of a picture (an eighth, a
// quarter or a half) that covers a display size; invalid when only the
// whole picture does. Reduced by less than half again when painted.
[[nodiscard]] QSize DecoderReduction(QSize natural, QSizeF display);

// A picture read by LoadPictures: the picture, or why there is none.
struct LoadedPicture {
    QImage Picture;
    std::optional<PictureError> Failure;
    // The pixels of its fitted view in the view box, when the decode of the
    // picture made them anyway; null pixels otherwise.
    FittedView View;
};

// The pictures at the paths, each decoded to fit into a box as LoadPicture
// does, several at once on every core; in the order of the paths. With a
// view box, a picture whose fitted view there is the decoder's eighth (a
// large JPEG stored upright, whose thumbnail is made from its eighth too)
// keeps the eighth as its View and its thumbnail is reduced from it: one
// decode for both.
[[nodiscard]] QList<LoadedPicture> LoadPictures(const QStringList& paths, QSize fitInto, QSize viewBox = {});

// The whole picture at a path, decoded into the memory of a picture that is
// no longer needed when both have the same size and format (photos from one
// camera do): a fresh picture of that size costs more than the decoding.
// Throws PictureError.
[[nodiscard]] QImage ReloadPicture(const QString& path, QImage previous);
