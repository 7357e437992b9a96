// Opens a group of six 24-megapixel photos and prints the time until all six
// thumbnails are in place, beside the time djpeg needs to decode the same
// files at 1/8 scale (the decoder's floor for a thumbnail).
#include "BenchFigures.h"
#include "BenchPhotos.h"
#include "BenchWindow.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "viewport/PictureLoader.h"
#include "viewport/Thumbnail.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ConfigurePictureReading();

    const QStringList photos = BenchPhotos(6, QSize(6000, 4000));
    QList<GroupPicture> pictures;
    for (const QString& photo : photos)
        pictures.append({ photo, QString() });
    QTemporaryDir dir;
    const QString group = dir.filePath(QStringLiteral("Bench-Six.grp"));
    WriteGroupFile(group, QStringLiteral("10000"), pictures);

    BenchWindow bench;
    frmImage& window = bench.Window();

    double open = std::numeric_limits<double>::max();
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.OpenFile(group);
        open = qMin(open, timer.nsecsElapsed() / 1e9);
        for (int slot = 0; slot < GroupSlotCount; ++slot) {
            const auto* thumbnail = window.findChild<Thumbnail*>(QStringLiteral("IMG%1").arg(slot));
            if (!thumbnail || !thumbnail->HasPicture()) {
                std::fprintf(stderr, "a thumbnail is missing\n");
                return 1;
            }
        }
    }

    const double floor = DjpegSeconds(photos, QStringLiteral("1/8"));
    if (floor < 0)
        return 1;

    BenchFigures figures;
    figures.RatioAtMost("open a group of six 24-megapixel JPEGs, thumbnails in place, beside djpeg -scale 1/8 of the "
                        "six (summed)",
        open, floor, 0.6);
    return figures.ExitCode();
}
