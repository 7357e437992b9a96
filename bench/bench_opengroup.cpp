// Opens a group of six 24-megapixel photos and prints the time until all six
// thumbnails are in place, beside the time djpeg needs to decode the same
// files at 1/8 scale (the decoder's floor for a thumbnail). Then, the group
// open for a second, the slowest showing of another of its pictures (the
// click and the paint of the picture area), beside a frame and beside djpeg's
// 1/8 decode of that picture.
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
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

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

    auto* picArea = window.findChild<QWidget*>(QStringLiteral("PicArea"));
    if (!picArea) {
        std::fprintf(stderr, "the window has no picture area\n");
        return 1;
    }
    // Each run opens the group, leaves it open for a second with the events
    // running, shows its first picture, then each other one.
    double next = std::numeric_limits<double>::max();
    int slowestSlot = 1;
    for (int run = 0; run < 3; ++run) {
        window.OpenFile(group);
        QEventLoop settle;
        QTimer::singleShot(1000, &settle, &QEventLoop::quit);
        settle.exec();
        window.ClipClicked(0, 1);
        (void)picArea->grab();
        double slowest = 0;
        int slot = 1;
        for (int other = 1; other < GroupSlotCount; ++other) {
            QElapsedTimer timer;
            timer.start();
            window.ClipClicked(other, 1);
            (void)picArea->grab();
            const double seconds = timer.nsecsElapsed() / 1e9;
            if (seconds > slowest) {
                slowest = seconds;
                slot = other;
            }
        }
        if (slowest < next) {
            next = slowest;
            slowestSlot = slot;
        }
    }
    const double eighth = DjpegSeconds({ photos[slowestSlot] }, QStringLiteral("1/8"));
    if (eighth < 0)
        return 1;

    BenchFigures figures;
    figures.RatioAtMost("open a group of six 24-megapixel JPEGs, thumbnails in place, beside djpeg -scale 1/8 of the "
                        "six (summed)",
        open, floor, 0.6);
    figures.AtMost("the next picture of a group open for a second, shown fitted and painted (the slowest of five)",
        next * 1000, 16, "ms");
    figures.RatioAtMost("the same, beside djpeg -scale 1/8 of that picture", next, eighth, 0.1);
    return figures.ExitCode();
}
