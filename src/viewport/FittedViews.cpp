#include "FittedViews.h"

#include "PictureLoader.h"
#include "SlotLayout.h"
#include "ViewGeometry.h"

FittedViews::FittedViews(QObject* parent)
    : QObject(parent)
    , m_box(ViewportBox.size())
{
    // One core for the views; the interface keeps the others.
    m_pool.setMaxThreadCount(1);
}

FittedViews::~FittedViews()
{
    // Views not started yet are not wanted any more; the one being decoded
    // is waited for, as it reports to this object.
    m_pool.clear();
    m_pool.waitForDone();
}

FittedView FittedViews::Usable(int slot, const QString& path, QSize box)
{
    Slot& kept = m_slots[size_t(slot)];
    if (kept.View.ShowsFileIn(path, box))
        return kept.View;
    if (!kept.View.Pixels.isNull() && kept.View.Stamp != FileStampOf(kept.View.Path))
        kept.View = {};
    return {};
}

void FittedViews::Decode(int slot, const QString& path)
{
    Slot& kept = m_slots[size_t(slot)];
    kept.Path = path;
    kept.View = {};
    kept.Decoding = true;
    const int generation = ++kept.Generation;
    m_wanted[size_t(slot)] = generation;
    // Started from the event loop, once the command that asked for it (an
    // open, an import, a showing) has painted.
    QMetaObject::invokeMethod(
        this, [this, slot, path, generation, box = m_box] { Start(slot, path, generation, box); },
        Qt::QueuedConnection);
}

void FittedViews::Start(int slot, const QString& path, int generation, QSize box)
{
    if (m_wanted[size_t(slot)] != generation)
        return;
    m_pool.start([this, slot, path, generation, box] {
        if (m_wanted[size_t(slot)] != generation)
            return;
        FittedView view;
        try {
            view = ReadFittedView(path, box);
            if (view.Natural.isValid())
                DecodeFittedView(view, box);
        } catch (const PictureError&) {
            // No view: when shown, the picture is read as it always was and
            // its placeholder says why.
        }
        QMetaObject::invokeMethod(
            this,
            [this, slot, generation, view = std::move(view)] {
                Slot& kept = m_slots[size_t(slot)];
                if (kept.Generation == generation) {
                    kept.View = view;
                    kept.Decoding = false;
                }
            },
            Qt::QueuedConnection);
    });
}

void FittedViews::Keep(int slot, const FittedView& view)
{
    Slot& kept = m_slots[size_t(slot)];
    kept.Path = view.Path;
    kept.View = view;
    kept.Decoding = false;
    m_wanted[size_t(slot)] = ++kept.Generation;
}

void FittedViews::Forget(int slot)
{
    Slot& kept = m_slots[size_t(slot)];
    kept.Path.clear();
    kept.View = {};
    kept.Decoding = false;
    m_wanted[size_t(slot)] = ++kept.Generation;
}

void FittedViews::FitInto(QSize box)
{
    if (box == m_box)
        return;
    m_box = box;
    for (int slot = 0; slot < GroupSlotCount; ++slot) {
        const Slot& kept = m_slots[size_t(slot)];
        // A picture its decoder does not reduce has no view in any box.
        if (kept.Decoding || (!kept.View.Pixels.isNull() && !kept.View.ShowsFileIn(kept.Path, box)))
            Decode(slot, kept.Path);
    }
}
