// Markers on a 24-megapixel photo: the time to show the photo with no
// markers and with 32767 (the most a picture holds), and the time of each
// mouse-move step while a marker is dragged (the move and the repaint of what
// it uncovers), at actual size and on the crowded picture, with the memory
// before and after the drag, the first step among them; the time to undo and
// redo a drag there. The drag step, a press and a hover on the crowded
// picture are each set beside the same on that picture carrying only its
// first marker, at the same zoom.
//
// The moves of a drag come at a mouse's pace, one every 8 ms (a mouse
// reporting at 125 Hz), and each step is timed from its move to the end of
// its repaint: what a person waits for. Between the moves the program is
// idle, as between a real mouse's reports, and draws ahead there what the
// next steps will show. The same drag with its moves back to back is printed
// beside it.
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
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

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
    double Slowest = 0; // the slowest step, the first included
    double Mean = 0;
    double Release = 0; // the release, which stores the picture's markers
    QPoint At; // where the pointer let go
};

// The program waits in its event loop until a time, as between a mouse's
// reports.
void IdleUntil(std::chrono::steady_clock::time_point time)
{
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(time - std::chrono::steady_clock::now());
    if (left.count() <= 0)
        return;
    QEventLoop idle;
    QTimer::singleShot(std::chrono::milliseconds(left.count() / 1000), Qt::PreciseTimer, &idle, &QEventLoop::quit);
    idle.exec();
    std::this_thread::sleep_until(time); // the part of a millisecond left
}

// A mouse reports every 8 ms; 0 sends the moves back to back.
constexpr std::chrono::milliseconds MousePace(8);

// Drags marker 1 by steps of (3, 2) pixels at a pace, in milliseconds. Each
// step is the move and the repaint it asks for.
DragTimes DragMilliseconds(const frmImage& window, int steps, std::chrono::milliseconds pace = MousePace)
{
    auto* layer = window.findChild<MarkerLayer*>(QStringLiteral("OBJ"));
    QPoint at = layer->Model().Item(1).Place.center().toPoint();
    Mouse(layer, QEvent::MouseMove, at, Qt::NoButton);
    auto next = std::chrono::steady_clock::now();
    Mouse(layer, QEvent::MouseButtonPress, at, Qt::LeftButton);
    QApplication::processEvents(); // the press repaints the selection frame
    double slowest = 0;
    double sum = 0;
    for (int step = 0; step < steps; ++step) {
        next += pace;
        IdleUntil(next);
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
    return { slowest, sum / steps, timer.nsecsElapsed() / 1e6, at };
}

// A press where a drag let go (on the marker it moved), the median of many,
// and hovers round there, their mean, in milliseconds; the press includes
// any repaint it asks for. The median: a press that follows the first store
// of a crowded picture's list finds the processor's caches cold, once.
struct PointerTimes {
    double Press = 0;
    double Hover = 0;
};

PointerTimes PointerMilliseconds(const frmImage& window, QPoint at, int times)
{
    auto* layer = window.findChild<MarkerLayer*>(QStringLiteral("OBJ"));
    // Pressed once first, so that each press timed grabs the marker already
    // selected, on both pictures.
    Mouse(layer, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Mouse(layer, QEvent::MouseButtonRelease, at, Qt::NoButton);
    QApplication::processEvents();
    QElapsedTimer timer;
    std::vector<double> presses;
    for (int i = 0; i < times; ++i) {
        timer.start();
        Mouse(layer, QEvent::MouseButtonPress, at, Qt::LeftButton);
        QApplication::processEvents();
        presses.push_back(timer.nsecsElapsed() / 1e6);
        Mouse(layer, QEvent::MouseButtonRelease, at, Qt::NoButton);
        QApplication::processEvents();
    }
    // Over every other point of a box round it, in turn.
    const QRect around(at - QPoint(18, 14), QSize(36, 28));
    int hovers = 0;
    timer.start();
    for (int i = 0; i < times; ++i) {
        for (int y = around.top(); y <= around.bottom(); y += 2) {
            for (int x = around.left(); x <= around.right(); x += 2, ++hovers)
                Mouse(layer, QEvent::MouseMove, QPoint(x, y), Qt::NoButton);
        }
    }
    QApplication::processEvents();
    std::nth_element(presses.begin(), presses.begin() + times / 2, presses.end());
    return { presses[size_t(times / 2)], timer.nsecsElapsed() / 1e6 / hovers };
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
    const QString oneGroup = dir.filePath(QStringLiteral("Bench-One.grp"));
    WriteGroupFile(oneGroup, QString(), { { photos[1], crowded.section(u',', 0, 0) + u',' } });
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

    // The same picture at the same zoom with its first marker only: the
    // reference of the drag, the press and the hover.
    window.OpenFile(oneGroup);
    (void)ShowMilliseconds(window, 0);
    const DragTimes oneDrag = DragMilliseconds(window, 60);
    const PointerTimes one = PointerMilliseconds(window, oneDrag.At, 20);

    window.OpenFile(crowdedGroup);
    (void)ShowMilliseconds(window, 0);
    const double full = ShowMilliseconds(window, 0);
    std::printf("show a 24 MP photo fitted: %.0f ms without markers, %.0f ms with 32767\n", plain, full);
    figures.AtMost("show a 24 MP photo with 32767 markers, more than without", full - plain, 300, "ms");
    const DragTimes crowdedDrag = DragMilliseconds(window, 60);
    figures.AtMost(
        "drag a marker on the crowded picture, slowest step, the first included", crowdedDrag.Slowest, 4, "ms");
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
    // Where the drag let go, on both pictures.
    const PointerTimes many = PointerMilliseconds(window, crowdedDrag.At, 20);
    figures.RatioAtMost("drag step with 32767 markers beside one, mean", crowdedDrag.Mean / 1e3, oneDrag.Mean / 1e3, 2);
    figures.RatioAtMost("press on a marker with 32767 markers beside one", many.Press / 1e3, one.Press / 1e3, 2);
    figures.RatioAtMost("hover over a marker with 32767 markers beside one", many.Hover / 1e3, one.Hover / 1e3, 2);
    std::printf("  with 32767 / with one: drag step %.3f / %.3f ms, press %.3f / %.3f ms, hover %.4f / %.4f ms\n",
        crowdedDrag.Mean, oneDrag.Mean, many.Press, one.Press, many.Hover, one.Hover);
    const DragTimes backToBack = DragMilliseconds(window, 60, std::chrono::milliseconds(0));
    std::printf("  the drag on the crowded picture with its moves back to back: mean step %.3f ms, slowest %.2f ms\n",
        backToBack.Mean, backToBack.Slowest);
    return figures.ExitCode();
}
