// Writes the files that tie an installed Nimbrel to the desktop into a
// folder: the desktop entry (starting "nimbrel" from the PATH), the MIME type
// of group files, and the icon as SVG and as 48 and 256 pixel PNGs. The
// same texts the program registers for its user at every start.
#include "app/ModAssociate.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool WritePng(const QString& path, QSvgRenderer& renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: nimbrel-desktop-files FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QFile icon(QStringLiteral(":/artwork/nimbrel.svg"));
    if (!QDir().mkpath(folder) || !icon.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray svg = icon.readAll();
    QSvgRenderer renderer(svg);
    const bool written = WriteFile(folder + u'/' + DesktopFileId, DesktopEntry(QStringLiteral("nimbrel")).toUtf8())
        && WriteFile(folder + u'/' + MimePackageName, MimeTypeXml().toUtf8())
        && WriteFile(folder + QStringLiteral("/nimbrel.svg"), svg)
        && WritePng(folder + QStringLiteral("/nimbrel-48.png"), renderer, 48)
        && WritePng(folder + QStringLiteral("/nimbrel-256.png"), renderer, 256);
    return written ? 0 : 1;
}
