// Markers on a 24-megapixel photo: the time to show the photo with no
// markers and with 32767 (the most a picture holds), and the time of each
// mouse-move step while a marker is dragged (the move and the repaint of what
// it uncovers), at actual size and on the crowded picture, with the memory
// before and after the drag; the time to undo and redo a drag there.
#include "BenchFigures.h"
#include "BenchPhotos.h"
#include "BenchWindow.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "objects/MarkerLayer.h"
#include "viewport/PictureLoader.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

void Mouse(QWidget* layer, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, layer->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
        buttons, Qt::NoModifier);
    QApplication::sendEvent(layer, &event);
}

// Shows a slot and paints the window; milliseconds.
double ShowMilliseconds(frmImage& window, int slot)
{
    QElapsedTimer timer;
    timer.start();
    window.ClipClicked(slot, 1);
    window.repaint();
    return timer.nsecsElapsed() / 1e6;
}

struct DragTimes {
    double Slowest = 0; // the slowest step
    double Mean = 0;
    double Release = 0; // the release, which stores the picture's markers
};

// Drags marker 1 by steps of (3, 2) pixels, in milliseconds. Each step is
// the move and the repaint it asks for.
DragTimes DragMilliseconds(const frmImage& window, int steps)
{
    auto* layer = window.findChild<MarkerLayer*>(QStringLiteral("OBJ"));
    QPoint at = layer->Model().Item(1).Place.center().toPoint();
    Mouse(layer, QEvent::MouseMove, at, Qt::NoButton);
    Mouse(layer, QEvent::MouseButtonPress, at, Qt::LeftButton);
    QApplication::processEvents(); // the press repaints the selection frame
    double slowest = 0;
    double sum = 0;
    for (int step = 0; step < steps; ++step) {
        at += QPoint(3, 2);
        QElapsedTimer timer;
        timer.start();
        Mouse(layer, QEvent::MouseMove, at, Qt::LeftButton);
        QApplication::processEvents();
        const double ms = timer.nsecsElapsed() / 1e6;
        slowest = std::max(slowest, ms);
        sum += ms;
    }
    QElapsedTimer timer;
    timer.start();
    Mouse(layer, QEvent::MouseButtonRelease, at, Qt::NoButton);
    QApplication::processEvents();
    return { slowest, sum / steps, timer.nsecsElapsed() / 1e6 };
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    ConfigurePictureReading();

    const QStringList photos = BenchPhotos(2, QSize(6000, 4000));
    QString crowded;
    for (int i = 0; i < 32767; ++i) {
        // Spread over the picture, as ratios of the surface.
        const double x = 1.0 + (i % 181) * 0.5;
        const double y = 1.0 + (i / 181) * 0.5;
        crowded += QStringLiteral("%1;%2;%3;30;30;%1;%4;;,")
                       .arg(i % 9)
                       .arg(200.0 / x, 0, 'g', 7)
                       .arg(200.0 / y, 0, 'g', 7)
                       .arg(i);
    }
    // A group of two photos, one marker on the first; and a group whose
    // picture carries the most markers a picture holds.
    QTemporaryDir dir;
    const QString plainGroup = dir.filePath(QStringLiteral("Bench-Plain.grp"));
    WriteGroupFile(
        plainGroup, QString(), { { photos[0], QStringLiteral("3;40;40;300;300;3;;;,") }, { photos[1], {} } });
    const QString crowdedGroup = dir.filePath(QStringLiteral("Bench-Crowded.grp"));
    WriteGroupFile(crowdedGroup, QString(), { { photos[1], crowded } });

    BenchWindow bench;
    frmImage& window = bench.Window();
    window.OpenFile(plainGroup);
    window.show();
    QApplication::processEvents();

    (void)ShowMilliseconds(window, 1); // the decoder and caches warmed
    const double plain = ShowMilliseconds(window, 1);
    (void)ShowMilliseconds(window, 0);
    window.ActualSize();
    window.repaint();
    const double before = StatusMegabytes("VmRSS:");
    const DragTimes actual = DragMilliseconds(window, 200);
    BenchFigures figures;
    figures.AtMost("drag a marker at actual size, slowest step", actual.Slowest, 4, "ms");
    std::printf(
        "  mean step %.2f ms; memory %.0f MB before, %.0f MB after\n", actual.Mean, before, StatusMegabytes("VmRSS:"));

    window.OpenFile(crowdedGroup);
    (void)ShowMilliseconds(window, 0);
    const double full = ShowMilliseconds(window, 0);
    std::printf("show a 24 MP photo fitted: %.0f ms without markers, %.0f ms with 32767\n", plain, full);
    figures.AtMost("show a 24 MP photo with 32767 markers, more than without", full - plain, 300, "ms");
    const DragTimes crowdedDrag = DragMilliseconds(window, 60);
    figures.AtMost("drag a marker on the crowded picture, slowest step", crowdedDrag.Slowest, 4, "ms");
    std::printf(
        "  mean step %.2f ms; the release stores 32767 records in %.1f ms\n", crowdedDrag.Mean, crowdedDrag.Release);
    // The drag is one step of the history: undone, the 32767 markers are
    // rebuilt from the list as it was; redone, as it became.
    double undoRedo[2] = {};
    for (int i = 0; i < 2; ++i) {
        QElapsedTimer timer;
        timer.start();
        window.findChild<QAction*>(QLatin1String(i == 0 ? "mnuUndo" : "mnuRedo"))->trigger();
        window.repaint();
        undoRedo[i] = timer.nsecsElapsed() / 1e6;
    }
    figures.AtMost("undo a drag on the picture with 32767 markers", undoRedo[0], 100, "ms");
    std::printf("  redo %.1f ms\n", undoRedo[1]);
    return figures.ExitCode();
}
