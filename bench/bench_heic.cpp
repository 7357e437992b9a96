// A 12-megapixel phone photo in HEIC: the time until its thumbnail is in
// place (a group of it opened) and until it is shown fitted (load, fit,
// first paint), each beside heif-convert's time to turn the same file into
// a JPEG (libheif's own decode, the floor).
#include "BenchFigures.h"
#include "BenchPhotos.h"
#include "BenchWindow.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "viewport/PictureLoader.h"
#include "viewport/Thumbnail.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ConfigurePictureReading();

    // The photo made once from a JPEG of the benchmarks, by libheif's own
    // encoder, as a phone would.
    const QString jpeg = BenchPhotos(1, QSize(4000, 3000)).first();
    const QString heic = jpeg.section(u'.', 0, -2) + QStringLiteral(".heic");
    if (!QFile::exists(heic)
        && BestCommandSeconds(QStringLiteral("heif-enc"), { "-q", "80", "-o", heic, jpeg }, 1) < 0) {
        std::fprintf(stderr, "heif-enc failed (apt-get install libheif-examples)\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString group = dir.filePath(QStringLiteral("Bench-Phone.grp"));
    WriteGroupFile(group, QString(), { { heic, QString() } });

    BenchWindow bench;
    frmImage& window = bench.Window();
    auto* picArea = window.findChild<QWidget*>(QStringLiteral("PicArea"));
    if (!picArea) {
        std::fprintf(stderr, "the window has no viewport\n");
        return 1;
    }
    double thumbnail = std::numeric_limits<double>::max();
    double fitted = std::numeric_limits<double>::max();
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.OpenFile(group);
        thumbnail = qMin(thumbnail, timer.nsecsElapsed() / 1e9);
        const auto* shown = window.findChild<Thumbnail*>(QStringLiteral("IMG0"));
        if (!shown || !shown->HasPicture()) {
            std::fprintf(stderr, "the thumbnail is missing\n");
            return 1;
        }
        timer.restart();
        window.ClipClicked(0, 1);
        (void)picArea->grab();
        fitted = qMin(fitted, timer.nsecsElapsed() / 1e9);
    }

    const double floor = BestCommandSeconds(QStringLiteral("heif-convert"), { heic, dir.filePath("photo.jpg") });
    if (floor < 0) {
        std::fprintf(stderr, "heif-convert failed (apt-get install libheif-examples)\n");
        return 1;
    }
    BenchFigures figures;
    figures.RatioAtMost(
        "open a group of a 12-megapixel HEIC, thumbnail in place, beside heif-convert to JPEG", thumbnail, floor, 1.1);
    figures.RatioAtMost("show the 12-megapixel HEIC fitted, beside heif-convert to JPEG", fitted, floor, 1.1);
    return figures.ExitCode();
}
