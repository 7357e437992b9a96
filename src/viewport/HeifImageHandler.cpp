#include "HeifImageHandler.h"

#include <QImage>
#include <QVariant>

#include <libheif/heif.h>

#include <memory>

namespace {

thread_local QString lastFailure;

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

// The file's primary picture as libheif finds it from the header, nothing
// decoded yet; the file's bytes stay with it, as libheif reads from them.
struct Primary {
    QByteArray Bytes;
    std::unique_ptr<heif_context, ContextFree> Context;
    std::unique_ptr<heif_image_handle, HandleRelease> Handle;
};

bool Failed(heif_error error)
{
    if (error.code == heif_error_Ok)
        return false;
    lastFailure = QString::fromUtf8(error.message).trimmed();
    return true;
}

std::unique_ptr<Primary> OpenPrimary(QIODevice* device)
{
    static const bool initialised = [] {
        heif_init(nullptr);
        return true;
    }();
    (void)initialised;
    lastFailure.clear();
    auto primary = std::make_unique<Primary>();
    primary->Bytes = device->readAll();
    primary->Context.reset(heif_context_alloc());
    heif_image_handle* handle = nullptr;
    if (Failed(heif_context_read_from_memory_without_copy(
            primary->Context.get(), primary->Bytes.constData(), size_t(primary->Bytes.size()), nullptr))
        || Failed(heif_context_get_primary_image_handle(primary->Context.get(), &handle)))
        return nullptr;
    primary->Handle.reset(handle);
    return primary;
}

} // namespace

bool HeifImageHandler::CanRead(QIODevice* device)
{
    // A box of any size, "ftyp", then the major brand.
    const QByteArray head = device->peek(12);
    static const QList<QByteArray> brands { "heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1", "avif",
        "avis" };
    return head.size() == 12 && head.mid(4, 4) == "ftyp" && brands.contains(head.mid(8, 4));
}

QString HeifImageHandler::LastFailure()
{
    return lastFailure;
}

bool HeifImageHandler::canRead() const
{
    return CanRead(device());
}

bool HeifImageHandler::read(QImage* picture)
{
    const std::unique_ptr<Primary> primary = OpenPrimary(device());
    if (!primary)
        return false;
    const bool alpha = heif_image_handle_has_alpha_channel(primary->Handle.get());
    heif_image* image = nullptr;
    // The default decoding turns the picture as the file says (its rotation
    // and mirror boxes), so Qt is told of no transformation to apply again.
    const heif_error error = heif_decode_image(primary->Handle.get(), &image, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr);
    const std::unique_ptr<heif_image, ImageRelease> decoded(image);
    if (Failed(error))
        return false;
    int stride = 0;
    const uint8_t* pixels = heif_image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(decoded.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(decoded.get(), heif_channel_interleaved);
    const bool premultiplied = heif_image_handle_is_premultiplied_alpha(primary->Handle.get());
    const QImage::Format format = !alpha ? QImage::Format_RGB888
        : premultiplied                  ? QImage::Format_RGBA8888_Premultiplied
                                         : QImage::Format_RGBA8888;
    // libheif's pixels, seen in place, are turned once into the layout the
    // painter draws fastest.
    const QImage seen(pixels, width, height, stride, format);
    *picture = seen.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    // libheif decodes the whole picture only: a smaller one is scaled from it.
    if (m_scaledSize.isValid() && m_scaledSize != picture->size())
        *picture = picture->scaled(m_scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return !picture->isNull();
}

QVariant HeifImageHandler::option(ImageOption option) const
{
    if (option != Size)
        return {};
    // The header is parsed, nothing decoded; the device is left where it was.
    QIODevice* file = device();
    const qint64 start = file->pos();
    const std::unique_ptr<Primary> primary = OpenPrimary(file);
    file->seek(start);
    if (!primary)
        return {};
    return QSize(
        heif_image_handle_get_width(primary->Handle.get()), heif_image_handle_get_height(primary->Handle.get()));
}

void HeifImageHandler::setOption(ImageOption option, const QVariant& value)
{
    if (option == ScaledSize)
        m_scaledSize = value.toSize();
}

bool HeifImageHandler::supportsOption(ImageOption option) const
{
    return option == Size || option == ScaledSize;
}
