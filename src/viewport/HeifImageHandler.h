#pragma once

#include <QImageIOHandler>
#include <QSize>
#include <QString>

// HEIC, HEIF and AVIF pictures, the phones' own formats, read through
// libheif: the file's primary picture, turned upright as the phone recorded
// it, and its size read from the header alone, so the size limit holds
// before anything is decoded.
class HeifImageHandler : public QImageIOHandler {
public:
    // Whether a file's first bytes are those of a HEIF or AVIF file.
    [[nodiscard]] static bool CanRead(QIODevice* device);

    // libheif's own words for the last header or picture on this thread it
    // could not read; a reader only says that it failed.
    [[nodiscard]] static QString LastFailure();

    bool canRead() const override;
    bool read(QImage* image) override;
    QVariant option(ImageOption option) const override;
    void setOption(ImageOption option, const QVariant& value) override;
    bool supportsOption(ImageOption option) const override;

private:
    QSize m_scaledSize;
};
