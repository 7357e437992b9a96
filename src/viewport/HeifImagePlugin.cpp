#include "HeifImagePlugin.h"

#include "HeifImageHandler.h"

namespace {

const QList<QByteArray> heifFormats { "heic", "heif", "hif", "avif" };

} // namespace

QImageIOPlugin::Capabilities HeifImagePlugin::capabilities(QIODevice* device, const QByteArray& format) const
{
    if (!format.isEmpty() && !heifFormats.contains(format.toLower()))
        return {};
    if (!device)
        return format.isEmpty() ? Capabilities() : Capabilities(CanRead);
    // Read only: the program never writes pictures.
    return device->isReadable() && HeifImageHandler::CanRead(device) ? Capabilities(CanRead) : Capabilities();
}

QImageIOHandler* HeifImagePlugin::create(QIODevice* device, const QByteArray& format) const
{
    auto* handler = new HeifImageHandler;
    handler->setDevice(device);
    // Found by its contents under another name (a phone's picture saved as
    // ".jpg"), it still names its own format, which a second reader of the
    // same file is given.
    handler->setFormat(heifFormats.contains(format.toLower()) ? format : QByteArray("heif"));
    return handler;
}
