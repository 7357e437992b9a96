#pragma once

#include "MarkerPainter.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_map>

class MarkerModel;

// While a marker is dragged, the markers below it and those above it are
// kept drawn in square tiles of the surface, so that a step draws the kept
// tiles and the dragged marker, however many markers are stacked there.
//
// From the press a thread of its own draws the tiles round the marker, the
// nearest first and following it, in the time between the pointer's moves;
// a repaint that meets a tile not drawn yet draws it itself. Meanwhile that
// thread reads the model: until End, nothing in it may change but the
// dragged marker's place.
class DragTiles {
public:
    // The side of a tile in pixels: a step draws the few it first meets.
    // Larger tiles each draw thousands of markers on a crowded picture;
    // smaller ones draw every marker in more of them.
    static constexpr int Side = 16;
    // How far round the dragged marker tiles are drawn ahead, in tiles.
    static constexpr int Reach = 8;

    struct Tile {
        QImage Below; // null where nothing is drawn
        QImage Above;
    };

    DragTiles() = default;
    ~DragTiles();
    DragTiles(const DragTiles&) = delete;
    DragTiles& operator=(const DragTiles&) = delete;

    // Tiles for a drag of a marker on a surface of a size, drawn ahead
    // within a box of it (the part in view), as a painter draws.
    void Begin(const MarkerModel& model, int dragged, QSize surface, const QRect& ahead, const MarkerPainter& painter);
    [[nodiscard]] bool Active() const { return m_job.Model != nullptr; }
    // Where the dragged marker is now: the tiles round it come first.
    void Follow(const QRect& box);
    // The part of the surface in view moved (a scroll): tiles are drawn
    // ahead there from now; those kept stay.
    void SetAhead(const QRect& ahead);
    // The tile at a column and row, drawn with a painter when it is not yet.
    [[nodiscard]] Tile At(int column, int row, MarkerPainter& painter);
    // The tiles dropped; the thread has left the model when this returns.
    void End();
    // Waits until every tile within reach of the dragged marker is drawn,
    // or the tiles are dropped; the number of tiles kept, -1 when that takes
    // a minute. Nothing else ever waits for the drawing ahead: this is for
    // checking it.
    int WaitDrawnAhead();

private:
    struct Job {
        const MarkerModel* Model = nullptr;
        int Dragged = 0;
        QSize Surface;
        QRect Ahead; // in tiles
    };
    // Drawn until stop is set.
    static Tile Draw(const Job& job, QPoint cell, MarkerPainter& painter, const std::atomic<bool>* stop = nullptr);
    static quint64 Key(QPoint cell) { return quint64(quint32(cell.y())) << 32 | quint32(cell.x()); }
    [[nodiscard]] static QRect CellsOf(const QRect& box);
    // The tiles of the dragged marker's box that the drawing ahead starts
    // from (under the lock).
    [[nodiscard]] QRect AroundOf(const QRect& box) const;
    // The nearest tile round the dragged marker not drawn yet; false when
    // there is none within reach.
    bool NextAhead(QPoint& cell);
    void Run();

    // Set by the interface's thread, under the lock once the thread runs.
    Job m_job;
    MarkerPainter m_look; // the ratio, see-through and digits to draw with
    std::mutex m_lock;
    std::condition_variable m_wake; // something for the thread to do
    std::condition_variable m_idle; // a tile drawn, or the drawing stopped
    std::atomic<bool> m_stop = false; // the tile being drawn is not wanted
    std::unordered_map<quint64, Tile> m_tiles;
    QRect m_around; // the dragged marker, in tiles
    int m_ring = 0; // the rings round it inside this one are drawn
    int m_generation = 0; // each Begin and End
    bool m_drawing = false;
    bool m_quit = false;
    std::thread m_thread;
};
