#pragma once

#include <QImageIOPlugin>

// Gives every picture reader of the program (thumbnails, the view, the
// report) HEIC, HEIF and AVIF pictures; built in, so no plugin folder is
// searched.
class HeifImagePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "HeifImagePlugin.json")

public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
    QImageIOHandler* create(QIODevice* device, const QByteArray& format = QByteArray()) const override;
};
