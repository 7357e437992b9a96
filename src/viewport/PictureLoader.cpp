#include "PictureLoader.h"

#include "HeifImageHandler.h"
#include "ViewGeometry.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>
#include <QtConcurrentMap>
#include <QtPlugin>

#include <filesystem>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// Built into the program: every reader of pictures there is loads them here.
Q_IMPORT_PLUGIN(HeifImagePlugin)

namespace {

#ifdef __GLIBC__
// Blocks from this size on (a picture of 512 x 512 pixels) are mapped.
constexpr int PictureMapThreshold = 1024 * 1024;
#endif

QString Described(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot read picture %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

// The size to decode at so that the picture, once turned upright, fits (or,
// ignoring its proportions, fills) the box.
QSize DecodeSize(QSize stored, QImageIOHandler::Transformations transformation, QSize fitInto, Qt::AspectRatioMode mode)
{
    QSize box = fitInto;
    if (transformation & QImageIOHandler::TransformationRotate90)
        box.transpose();
    if (mode == Qt::IgnoreAspectRatio)
        return stored.boundedTo(box).expandedTo(QSize(1, 1));
    if (stored.width() <= box.width() && stored.height() <= box.height())
        return stored;
    const QSize scaled = stored.scaled(box, mode).expandedTo(QSize(1, 1));
    return scaled.width() > stored.width() || scaled.height() > stored.height() ? stored : scaled;
}

// Opens the picture at a path for its reader: only a regular file, and only
// a picture of no more than MaxPicturePixels. Throws PictureError.
void Open(const QString& path, QFile& device, QImageReader& reader)
{
    const std::filesystem::path file(path.toStdU16String());
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    // Only "no such file" makes a picture missing. When the system cannot
    // even look (a folder on the way may not be searched) the file may well
    // be there: its reason is told.
    if (error && error != std::errc::no_such_file_or_directory && error != std::errc::not_a_directory) {
        throw PictureError(PictureError::Kind::Unreadable, Described(path, QString::fromLocal8Bit(error.message())));
    }
    if (!std::filesystem::exists(status))
        throw PictureError(PictureError::Kind::Missing, Described(path, QStringLiteral("the file does not exist")));
    if (!std::filesystem::is_regular_file(status))
        throw PictureError(PictureError::Kind::Unreadable, Described(path, QStringLiteral("it is not a regular file")));

    // Opened here rather than by the reader, which says "File not found" for
    // a file it may not read; the file's name still tells the reader its
    // format.
    device.setFileName(path);
    if (!device.open(QIODevice::ReadOnly))
        throw PictureError(PictureError::Kind::Unreadable, Described(path, device.errorString()));
    reader.setDevice(&device);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        throw PictureError(PictureError::Kind::Unreadable, Described(path, reader.errorString()));
    const QSize stored = reader.size();
    // A phone's picture tells its size only from a header libheif reads
    // whole: one it cannot read is refused now, for its reason.
    if (!stored.isValid() && HeifImageHandler::CanRead(&device))
        throw PictureError(PictureError::Kind::Unreadable, Described(path, HeifImageHandler::LastFailure()));
    if (stored.isValid() && qint64(stored.width()) * stored.height() > MaxPicturePixels) {
        throw PictureError(PictureError::Kind::Unreadable,
            Described(path,
                QStringLiteral("it declares %1 x %2 pixels, more than the %3 megapixels "
                               "this program opens")
                    .arg(stored.width())
                    .arg(stored.height())
                    .arg(MaxPicturePixels / 1'000'000)));
    }
}

void Read(QImageReader& reader, QImage& image, const QString& path)
{
    if (!reader.read(&image) || image.isNull()) {
        // Qt says only that a phone's picture failed; libheif says why.
        const bool heif = reader.device()->seek(0) && HeifImageHandler::CanRead(reader.device());
        const QString reason = heif ? HeifImageHandler::LastFailure() : QString();
        throw PictureError(
            PictureError::Kind::Unreadable, Described(path, reason.isEmpty() ? reader.errorString() : reason));
    }
}

// The opened picture decoded at a size (as stored, before it is turned).
QImage ReadAt(QFile& device, QImageReader& reader, QSize size, const QString& path, QImage image)
{
    // A reduced decode is mostly the decoder's many small reads of the file:
    // from the file's mapping they cost next to nothing. (A full decode reads
    // it the plain way, so that its peak memory is the picture alone.)
    if (uchar* mapped = device.map(0, device.size())) {
        QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), device.size());
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader fromMapping(&buffer, reader.format());
        fromMapping.setAutoTransform(true);
        fromMapping.setScaledSize(size);
        Read(fromMapping, image, path);
        return image;
    }
    reader.setScaledSize(size);
    Read(reader, image, path);
    return image;
}

QImage Decode(const QString& path, QSize fitInto, Qt::AspectRatioMode mode, QImage image)
{
    QFile device;
    QImageReader reader;
    Open(path, device, reader);
    const QSize stored = reader.size();
    if (!fitInto.isValid() || !stored.isValid()) {
        Read(reader, image, path);
        return image;
    }
    return ReadAt(device, reader, DecodeSize(stored, reader.transformation(), fitInto, mode), path, std::move(image));
}

// A thumbnail, and the fitted view in a box when that is the decoder's
// eighth: the thumbnail's own decode is the eighth then, so the view costs
// only its memory. The thumbnail is reduced from it as the decoder reduces
// it; a picture to be turned is left to the decoder, which reduces before it
// turns.
LoadedPicture DecodeWithView(const QString& path, QSize fitInto, QSize viewBox)
{
    FittedView view { path, FileStampOf(path), {}, {} };
    QFile device;
    QImageReader reader;
    Open(path, device, reader);
    const QSize stored = reader.size();
    if (!fitInto.isValid() || !stored.isValid()) {
        QImage image;
        Read(reader, image, path);
        return { image, std::nullopt, {} };
    }
    const QSize thumbnail = DecodeSize(stored, reader.transformation(), fitInto, Qt::KeepAspectRatio);
    const QSize eighth(stored.width() / 8, stored.height() / 8);
    if (reader.format() != "jpeg" || reader.transformation() != QImageIOHandler::TransformationNone
        || DecoderReduction(stored, FitSize(QSizeF(stored), QSizeF(viewBox))) != eighth)
        return { ReadAt(device, reader, thumbnail, path, QImage()), std::nullopt, {} };
    view.Natural = stored;
    view.Pixels = ReadAt(device, reader, eighth, path, QImage());
    return { view.Pixels.scaled(thumbnail, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), std::nullopt, view };
}

} // namespace

void ConfigurePictureReading()
{
    QImageReader::setAllocationLimit(PictureAllocationLimitMB);
#ifdef __GLIBC__
    // Pictures are mapped memory of their own, given back whole when freed.
    // Left to itself, glibc raises this threshold to the size of the first
    // such block freed, and then keeps later pictures of up to that size in
    // its heap after they are gone.
    mallopt(M_MMAP_THRESHOLD, PictureMapThreshold);
#endif
}

QImage LoadPicture(const QString& path, QSize fitInto, Qt::AspectRatioMode mode)
{
    return Decode(path, fitInto, mode, QImage());
}

PictureHeader ReadPictureHeader(const QString& path)
{
    QFile device;
    QImageReader reader;
    Open(path, device, reader);
    PictureHeader header { reader.size(), reader.format() == "jpeg" };
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        header.Size.transpose();
    return header;
}

QSize DecoderReduction(QSize natural, QSizeF display)
{
    for (const int denominator : { 8, 4, 2 }) {
        const QSize size(natural.width() / denominator, natural.height() / denominator);
        if (size.width() >= display.width() && size.height() >= display.height())
            return size;
    }
    return {};
}

QList<LoadedPicture> LoadPictures(const QStringList& paths, QSize fitInto, QSize viewBox)
{
    // Each decode runs on a core of its own; the decoder keeps no state
    // between pictures, so they do not wait on each other.
    return QtConcurrent::blockingMapped<QList<LoadedPicture>>(paths, [fitInto, viewBox](const QString& path) {
        try {
            if (viewBox.isValid())
                return DecodeWithView(path, fitInto, viewBox);
            return LoadedPicture { LoadPicture(path, fitInto), std::nullopt, {} };
        } catch (const PictureError& failure) {
            return LoadedPicture { QImage(), failure, {} };
        }
    });
}

QImage ReloadPicture(const QString& path, QImage previous)
{
    return Decode(path, QSize(), Qt::KeepAspectRatio, std::move(previous));
}

QImage PlaceholderPicture(const QString& title, const QString& reason, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(48, 28, 28));
    QPainter painter(&image);
    painter.setPen(QPen(QColor(200, 80, 70), 2, Qt::DashLine));
    painter.drawRect(QRectF(image.rect()).adjusted(8, 8, -8, -8));
    QFont font = painter.font();
    font.setPixelSize(size.height() / 12);
    painter.setFont(font);
    painter.setPen(QColor(240, 200, 190));
    const QRect upper(0, 0, size.width(), size.height() / 2);
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, title);
    font.setPixelSize(qMax(8, size.height() / 30));
    painter.setFont(font);
    painter.drawText(
        QRect(size.width() / 10, size.height() / 2 + size.height() / 20, size.width() * 8 / 10, size.height() / 3),
        Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere, reason);
    return image;
}
