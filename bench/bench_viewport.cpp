// Shows a 24-megapixel photo in the viewport: the time to show it fitted
// (load, fit, first paint) beside djpeg's full decode of the same file; the
// time until its natural-size pixels are on screen ("Actual") and the
// slowest of 40 zoom steps (a step decodes the larger pixels it needs) beside
// one full decode by the program's decoder; the paint time of the steps; and
// what the shown photo costs in memory. Then the same photo fitted in a large
// picture area of 1920 x 1080, beside djpeg's decode at the half it needs
// there (the quarter is smaller than the fitted size).
#include "BenchFigures.h"
#include "BenchPhotos.h"
#include "BenchWindow.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "viewport/PictureLoader.h"
#include "viewport/PictureSurface.h"
#include "viewport/ViewGeometry.h"

#include <QAction>
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

// The window shown and grown, the large picture area on, until its picture
// area has a size.
bool GrowPictureArea(frmImage& window, const QWidget* picArea, QSize size)
{
    auto* option = window.findChild<QAction*>(QStringLiteral("mnuLargeArea"));
    if (!option)
        return false;
    option->setChecked(true);
    window.setWindowState(Qt::WindowNoState);
    window.show();
    for (int tries = 0; tries < 5 && picArea->size() != size; ++tries) {
        window.resize(window.size() + size - picArea->size());
        QCoreApplication::processEvents();
    }
    return picArea->size() == size;
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
    const double floor = DjpegSeconds({ photo });
    if (floor < 0)
        return 1;
    double decode = std::numeric_limits<double>::max();
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        (void)LoadPicture(photo);
        decode = qMin(decode, timer.nsecsElapsed() / 1e9);
    }

    // From nothing shown: the photo fitted, 40 zoom steps in, then shown
    // again and at its actual size; three times, the best run of each
    // figure counting. The memory is that of the first run.
    window.OpenFile(group);
    const double before = StatusMegabytes("VmRSS:");
    const bool peakReset = ResetPeakMemory();
    double slowestPaint = std::numeric_limits<double>::max();
    double slowestStep = std::numeric_limits<double>::max();
    double actual = std::numeric_limits<double>::max();
    double afterZoom = 0;
    double afterActual = 0;
    for (int run = 0; run < 3; ++run) {
        (void)showSeconds(0);
        double runPaint = 0;
        double runStep = 0;
        if (run == 0)
            std::printf("zoom step: command ms + paint ms\n");
        for (int step = 1; step <= 40; ++step) {
            QElapsedTimer timer;
            timer.start();
            window.ZoomIn();
            const double command = timer.nsecsElapsed() / 1e6;
            const double paint = PaintMilliseconds(picArea);
            runPaint = qMax(runPaint, paint);
            runStep = qMax(runStep, command + paint);
            if (run == 0)
                std::printf("  %2d (%5.0f px wide): %.2f + %.2f\n", step, double(picZoom->width()), command, paint);
        }
        slowestPaint = qMin(slowestPaint, runPaint);
        slowestStep = qMin(slowestStep, runStep);
        if (run == 0)
            afterZoom = StatusMegabytes("VmRSS:");
        (void)showSeconds(0);
        QElapsedTimer timer;
        timer.start();
        window.ActualSize();
        (void)picArea->grab();
        actual = qMin(actual, timer.nsecsElapsed() / 1e9);
        if (run == 0)
            afterActual = StatusMegabytes("VmRSS:");
    }
    const double peak = StatusMegabytes("VmHWM:");

    const double pixels = 6000.0 * 4000.0 * 4 / (1024 * 1024);
    const QSizeF fitted = FitSize(QSizeF(6000, 4000), QSizeF(picArea->size()));
    const double reduced = (fitted * 2).toSize().width() * (fitted * 2).toSize().height() * 4.0 / (1024 * 1024);

    // The first fitted paint in a large picture area, from nothing shown.
    constexpr QSize LargeArea { 1920, 1080 };
    if (!GrowPictureArea(window, picArea, LargeArea)) {
        std::fprintf(stderr, "the picture area did not grow to 1920 x 1080\n");
        return 1;
    }
    double large = std::numeric_limits<double>::max();
    for (int run = 0; run < 3; ++run) {
        window.OpenFile(group);
        large = qMin(large, showSeconds(0));
    }
    const double halfFloor = DjpegSeconds({ photo }, QStringLiteral("1/2"));
    if (halfFloor < 0)
        return 1;

    BenchFigures figures;
    figures.RatioAtMost(
        "show a 24-megapixel JPEG fitted, nothing shown before, beside djpeg's full decode", fresh, floor, 0.7);
    figures.RatioAtMost(
        "the same in a 1920 x 1080 picture area, beside djpeg's decode at a half", large, halfFloor, 1.3);
    figures.RatioAtMost(
        "show it fitted in place of a photo of the same size, beside djpeg's full decode", next, floor, 0.7);
    figures.RatioAtMost(
        "\"Actual\" after the fit (natural-size pixels decoded then), beside one full decode by the program", actual,
        decode, 1.1);
    figures.RatioAtMost("slowest zoom step with its paint (a step decodes the larger pixels it needs), beside one full "
                        "decode by the program",
        slowestStep / 1000, decode, 1.1);
    figures.AtMost("slowest zoom-step paint", slowestPaint, 5, "ms");
    std::printf("memory: %.1f MB with nothing shown, %.1f MB after 40 zoom steps, %.1f MB at actual size, peak %.1f "
                "MB%s\n",
        before, afterZoom, afterActual, peak, peakReset ? "" : " (peak not reset: since the start)");
    figures.AtMost(
        "a shown 24-megapixel photo's cost at the peak, in its 32-bit pixel size", (peak - before) / pixels, 1.4, "x");
    figures.AtMost("its cost beside the natural-size pixels and the reduced copy that were kept before",
        (peak - before) / (pixels + reduced), 1.1, "x");
    figures.AtMost(
        "memory after 40 zoom steps beside at actual size (no growth with zoom)", afterZoom / afterActual, 1.1, "x");
    return figures.ExitCode();
}
