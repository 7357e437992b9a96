#include "TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QtEndian>

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

namespace {

QByteArray JpegBytes(QSize size, int quality)
{
    QImage image(size, QImage::Format_RGB888);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(30, 60, 120));
    gradient.setColorAt(1, QColor(220, 180, 90));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return bytes;
}

} // namespace

void WriteJpeg(const QString& path, QSize size, int quality)
{
    WriteBytes(path, JpegBytes(size, quality));
}

void WriteRotatedJpeg(const QString& path, QSize storedSize)
{
    // APP1 "Exif", big-endian TIFF header, one IFD entry: Orientation = 6.
    QByteArray tiff = QByteArray::fromHex("4d4d002a00000008"
                                          "0001"
                                          "011200030000000100060000"
                                          "00000000");
    QByteArray app1 = QByteArray::fromHex("ffe1");
    QByteArray length(2, '\0');
    qToBigEndian<quint16>(quint16(2 + 6 + tiff.size()), length.data());
    app1 += length + QByteArray("Exif\0\0", 6) + tiff;
    QByteArray jpeg = JpegBytes(storedSize, 85);
    jpeg.insert(2, app1); // right after the start-of-image marker
    WriteBytes(path, jpeg);
}

void WriteJpegDeclaring(const QString& path, QSize declared)
{
    QByteArray jpeg = JpegBytes(QSize(16, 16), 85);
    // The start-of-frame segment: marker, length, precision, height, width.
    const qsizetype frame = jpeg.indexOf(QByteArray::fromHex("ffc0"));
    QVERIFY(frame > 0);
    qToBigEndian<quint16>(quint16(declared.height()), jpeg.data() + frame + 5);
    qToBigEndian<quint16>(quint16(declared.width()), jpeg.data() + frame + 7);
    WriteBytes(path, jpeg);
}
