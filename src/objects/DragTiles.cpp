#include "DragTiles.h"

#include "MarkerGeometry.h"
#include "MarkerModel.h"

#include <QPainter>

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <vector>

DragTiles::~DragTiles()
{
    {
        const std::lock_guard lock(m_lock);
        m_quit = true;
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

QRect DragTiles::CellsOf(const QRect& box)
{
    const auto cell = [](int pixel) { return pixel >= 0 ? pixel / Side : -((-pixel + Side - 1) / Side); };
    return QRect(QPoint(cell(box.left()), cell(box.top())), QPoint(cell(box.right()), cell(box.bottom())));
}

QRect DragTiles::AroundOf(const QRect& box) const
{
    // Only the part near the view: a marker may reach a billion pixels.
    return CellsOf(box).intersected(m_job.Ahead.adjusted(-Reach - 1, -Reach - 1, Reach + 1, Reach + 1));
}

void DragTiles::Begin(
    const MarkerModel& model, int dragged, QSize surface, const QRect& ahead, const MarkerPainter& painter)
{
    End();
    // Made here, so that the thread only reads them.
    model.MakeGrids();
    {
        const std::lock_guard lock(m_lock);
        m_job = { &model, dragged, surface, CellsOf(ahead.intersected(QRect(QPoint(0, 0), surface))) };
        m_look.Follow(painter);
        m_stop = false;
        m_around = AroundOf(PixelBox(ShownBox(model.Item(dragged).Place)));
        m_ring = 0;
        ++m_generation;
    }
    if (!m_thread.joinable())
        m_thread = std::thread([this] { Run(); });
    m_wake.notify_one();
}

void DragTiles::Follow(const QRect& box)
{
    {
        const std::lock_guard lock(m_lock);
        const QRect around = AroundOf(box);
        if (around == m_around)
            return;
        m_around = around;
        m_ring = 0;
    }
    m_wake.notify_one();
}

void DragTiles::SetAhead(const QRect& ahead)
{
    {
        const std::lock_guard lock(m_lock);
        if (!m_job.Model)
            return;
        m_job.Ahead = CellsOf(ahead.intersected(QRect(QPoint(0, 0), m_job.Surface)));
        m_ring = 0;
        // Tiles far from the view go, so that scrolling while holding a
        // marker does not keep the whole surface drawn.
        const QRect kept = m_job.Ahead.adjusted(-Reach, -Reach, Reach, Reach);
        std::erase_if(m_tiles,
            [&](const auto& tile) { return !kept.contains(int(quint32(tile.first)), int(quint32(tile.first >> 32))); });
    }
    m_wake.notify_one();
}

DragTiles::Tile DragTiles::At(int column, int row, MarkerPainter& painter)
{
    const QPoint cell(column, row);
    {
        const std::lock_guard lock(m_lock);
        if (const auto kept = m_tiles.find(Key(cell)); kept != m_tiles.end())
            return kept->second;
    }
    Tile tile = Draw(m_job, cell, painter);
    const std::lock_guard lock(m_lock);
    return m_tiles.try_emplace(Key(cell), std::move(tile)).first->second;
}

void DragTiles::End()
{
    std::unordered_map<quint64, Tile> dropped; // freed outside the lock
    std::unique_lock lock(m_lock);
    if (!m_job.Model)
        return;
    m_job = {};
    ++m_generation;
    dropped.swap(m_tiles);
    // A tile being drawn stops at its next marker.
    m_stop = true;
    m_idle.wait(lock, [this] { return !m_drawing; });
}

int DragTiles::WaitDrawnAhead()
{
    std::unique_lock lock(m_lock);
    QPoint cell;
    const bool drawn = m_idle.wait_for(
        lock, std::chrono::minutes(1), [&] { return !m_job.Model || (!m_drawing && !NextAhead(cell)); });
    return drawn ? int(m_tiles.size()) : -1;
}

DragTiles::Tile DragTiles::Draw(const Job& job, QPoint cell, MarkerPainter& painter, const std::atomic<bool>* stop)
{
    const QRect area(cell * Side, QSize(Side, Side));
    std::vector<int> layers[2];
    const int draggedKey = job.Model->StackKey(job.Dragged);
    for (const int index : job.Model->MarkersIn(area)) {
        if (index != job.Dragged)
            layers[job.Model->StackKey(index) > draggedKey ? 1 : 0].push_back(index);
    }
    // Drawn as a repaint of the tile draws each marker, clipped to it: the
    // tiles meet without seams.
    Tile tile;
    const qreal ratio = painter.Ratio();
    for (int k = 0; k < 2; ++k) {
        if (layers[k].empty())
            continue;
        QImage& image = k == 0 ? tile.Below : tile.Above;
        image = QImage(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter layer(&image);
        layer.translate(-area.topLeft());
        painter.Markers(layer, *job.Model, layers[k], area, job.Surface, stop);
    }
    return tile;
}

bool DragTiles::NextAhead(QPoint& cell)
{
    // Ring by ring outwards from the marker's own tiles; a ring found drawn
    // is not looked at again until the marker moves to other tiles.
    if (m_around.isEmpty())
        return false; // far from the view
    for (; m_ring <= Reach; ++m_ring) {
        const int ring = m_ring;
        const QRect round = m_around.adjusted(-ring, -ring, ring, ring);
        for (int row = round.top(); row <= round.bottom(); ++row) {
            const bool edge = ring == 0 || row == round.top() || row == round.bottom();
            const int step = edge ? 1 : std::max(1, round.width() - 1);
            for (int column = round.left(); column <= round.right(); column += step) {
                if (m_job.Ahead.contains(column, row) && m_tiles.find(Key({ column, row })) == m_tiles.end()) {
                    cell = QPoint(column, row);
                    return true;
                }
            }
        }
    }
    return false;
}

void DragTiles::Run()
{
#ifdef SCHED_BATCH
    // Woken by the interface, this thread does not take its processor from
    // it, as a thread woken from a long sleep otherwise may; it still gets
    // its share of a busy machine, so that End never waits long.
    const sched_param batch {};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
#endif
    // Its own pictures of the damage types, made on this thread.
    MarkerPainter painter;
    int followed = -1;
    std::unique_lock lock(m_lock);
    while (!m_quit) {
        QPoint cell;
        if (!m_job.Model || !NextAhead(cell)) {
            m_wake.wait(lock);
            continue;
        }
        if (followed != m_generation) {
            painter.Follow(m_look);
            followed = m_generation;
        }
        const Job job = m_job;
        const int generation = m_generation;
        m_drawing = true;
        lock.unlock();
        Tile tile = Draw(job, cell, painter, &m_stop);
        lock.lock();
        m_drawing = false;
        if (generation == m_generation)
            m_tiles.try_emplace(Key(cell), std::move(tile));
        m_idle.notify_all();
    }
}
