// Shows a 24-megapixel photo in the viewport and zooms in 40 steps: prints
// the time to show it (load, fit, first paint) beside djpeg's full decode of
// the same file, the paint time of every zoom step, and the memory after the
// fit and after the last step.
#include "BenchPhotos.h"
#include "BenchWindow.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "viewport/PictureLoader.h"
#include "viewport/PictureSurface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>

namespace {

double PaintMilliseconds(QWidget* viewport)
{
    QElapsedTimer timer;
    timer.start();
    (void)viewport->grab();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ConfigurePictureReading();

    const QStringList photos = BenchPhotos(2, QSize(6000, 4000));
    const QString photo = photos.first();
    QTemporaryDir dir;
    const QString group = dir.filePath(QStringLiteral("Bench-Two.grp"));
    WriteGroupFile(group, QString(),
        { { photos[0], QStringLiteral("3;4;4;30;30;3;250;;,") }, { photos[1], QStringLiteral("1;2;2;30;30;1;;;,") } });

    BenchWindow bench;
    frmImage& window = bench.Window();
    auto* picArea = window.findChild<QWidget*>(QStringLiteral("PicArea"));
    const auto* picZoom = window.findChild<PictureSurface*>(QStringLiteral("PicZoom"));
    if (!picArea || !picZoom) {
        std::fprintf(stderr, "the window has no viewport\n");
        return 1;
    }

    const auto showSeconds = [&window, picArea](int slot) {
        QElapsedTimer timer;
        timer.start();
        window.ClipClicked(slot, 1);
        (void)picArea->grab();
        return timer.nsecsElapsed() / 1e9;
    };
    // Shown with nothing displayed before, and shown in place of another
    // photo of the same size (the usual case: one camera's photos).
    double fresh = std::numeric_limits<double>::max();
    double next = std::numeric_limits<double>::max();
    for (int run = 0; run < 3; ++run) {
        window.OpenFile(group);
        fresh = qMin(fresh, showSeconds(0));
        next = qMin(next, showSeconds(1));
        next = qMin(next, showSeconds(0));
    }
    const double floor = BestCommandSeconds(
        QStringLiteral("djpeg"), { QStringLiteral("-outfile"), QStringLiteral("/dev/null"), photo });
    if (floor < 0) {
        std::fprintf(stderr, "djpeg failed (apt-get install libjpeg-turbo-progs)\n");
        return 1;
    }
    const double afterFit = StatusMegabytes("VmRSS:");

    double worst = 0;
    std::printf("zoom step: paint ms\n");
    for (int step = 1; step <= 40; ++step) {
        window.ZoomIn();
        const double paint = PaintMilliseconds(picArea);
        worst = qMax(worst, paint);
        std::printf("  %2d (%5.0f px wide): %.2f\n", step, double(picZoom->width()), paint);
    }
    const double afterZoom = StatusMegabytes("VmRSS:");

    std::printf("djpeg full decode of a 24-megapixel JPEG:              %.1f ms\n", floor * 1000);
    std::printf(
        "show it (load, fit, first paint), nothing shown before: %.1f ms, %.2fx\n", fresh * 1000, fresh / floor);
    std::printf("show it in place of a photo of the same size:          %.1f ms, %.2fx (goal: at most 1.3x)\n",
        next * 1000, next / floor);
    std::printf("slowest zoom-step paint: %.2f ms (goal: under 5 ms)\n", worst);
    std::printf("memory after the fit: %.1f MB, after 40 zoom steps: %.1f MB (%+.1f %%; goal: within +10 %%)\n",
        afterFit, afterZoom, 100.0 * (afterZoom - afterFit) / afterFit);
    std::printf("peak memory of the run: %.1f MB\n", StatusMegabytes("VmHWM:"));
    return 0;
}
