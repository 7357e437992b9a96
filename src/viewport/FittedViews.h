#pragma once

#include "FittedView.h"
#include "common/GroupPicture.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <array>
#include <atomic>

// The pixels of each slot's fitted view, kept so that the next picture of
// an open group shows without being decoded again. A picture put in a slot
// has them decoded in the background, one picture at a time beside the
// interface, which never waits for them: a picture shown before they are
// ready is decoded as it always was. They are used only while the file has
// the stamp it had when they were decoded, and only in a box of the size
// they were decoded for; a showing in a box of another size has the other
// slots' views decoded again for it.
class FittedViews : public QObject {
    Q_OBJECT

public:
    explicit FittedViews(QObject* parent = nullptr);
    ~FittedViews() override;

    // The box the views are decoded for; the design's viewport box at first.
    [[nodiscard]] QSize Box() const { return m_box; }
    // The picture whose view a slot keeps or is decoding; empty for none.
    [[nodiscard]] QString PathOf(int slot) const { return m_slots[size_t(slot)].Path; }
    // The slot's view when it shows the file at the path as it is now in a
    // box of this size; no pixels otherwise, and then a view of a file that
    // changed goes.
    [[nodiscard]] FittedView Usable(int slot, const QString& path, QSize box);

    // The slot's picture is at a path: its view is decoded in the background.
    void Decode(int slot, const QString& path);
    // A view decoded already becomes the slot's.
    void Keep(int slot, const FittedView& view);
    // The slot is empty: its view goes.
    void Forget(int slot);
    // Pictures are shown in a box of this size from now on.
    void FitInto(QSize box);

private:
    void Start(int slot, const QString& path, int generation, QSize box);

    struct Slot {
        QString Path;
        FittedView View;
        // Its view is being decoded, for the box of the time.
        bool Decoding = false;
        // Only the last decode asked for is kept.
        int Generation = 0;
    };

    std::array<Slot, GroupSlotCount> m_slots;
    // Each slot's Generation for the workers: a decode no longer wanted
    // when its turn comes is not done.
    std::array<std::atomic<int>, GroupSlotCount> m_wanted {};
    QSize m_box;
    QThreadPool m_pool;
};
