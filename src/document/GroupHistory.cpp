#include "GroupHistory.h"

#include "DescriptionFields.h"
#include "KeyPreview.h"
#include "MainMenus.h"
#include "PictureImport.h"
#include "frmImage.h"
#include "objects/KeyCommands.h"
#include "objects/MarkerLayer.h"
#include "objects/TotalsPanel.h"
#include "viewport/PictureLoader.h"
#include "viewport/SlotLayout.h"
#include "viewport/ThumbnailStrip.h"

#include <QAction>

namespace {

const std::array<QString, 5> FieldSteps = { QStringLiteral("Edit File Name"), QStringLiteral("Edit Category"),
    QStringLiteral("Edit Type"), QStringLiteral("Edit ID"), QStringLiteral("Edit Car Value") };
constexpr int CarValueField = 4;

} // namespace

GroupHistory::GroupHistory(frmImage& window)
    : QObject(&window)
    , w(window)
{
    // Each change is recorded once the window's own handler has made it.
    connect(w.PicTbr, &DamageToolbar::Clicked, this, [this] { Record(QStringLiteral("Place Marker")); });
    connect(w.OBJ, &MarkerLayer::Pressed, this, [this](int index) {
        m_pressedSize = w.OBJ->Model().Item(index).Place.size();
        // A press ends a run of nudges.
        if (GroupStep* last = m_steps.Joinable())
            last->Nudge = false;
    });
    connect(w.OBJ, &MarkerLayer::Released, this, [this](int index) {
        const bool resized = w.OBJ->Model().Item(index).Place.size() != m_pressedSize;
        Record(resized ? QStringLiteral("Resize Marker") : QStringLiteral("Move Marker"));
    });
    connect(w.OBJ, &MarkerLayer::DoubleClicked, this, [this] { Record(QStringLiteral("Edit Marker Details")); });
    connect(w.Menus->mnuDelete, &QAction::triggered, this, [this] { Record(QStringLiteral("Delete Marker")); });
    connect(w.Menus->mnuRemove, &QAction::triggered, this, [this] { Record(QStringLiteral("Remove Picture")); });
    connect(w.Import, &PictureImport::Imported, this, [this](const QHash<int, QImage>& thumbnails) {
        w.Changed = true;
        m_thumbnails.insert(thumbnails);
        Record(thumbnails.size() > 1 ? QStringLiteral("Import Pictures") : QStringLiteral("Import Picture"));
    });
    connect(w.findChild<KeyPreview*>(), &KeyPreview::KeyDown, this,
        [this](int key, Qt::KeyboardModifiers, bool inTextField) {
            const KeyCommand command = MarkerKeyCommand(key);
            if (inTextField || command == KeyCommand::None)
                return;
            if (command == KeyCommand::DeleteMarker)
                Record(QStringLiteral("Delete Marker"));
            else
                Record(QStringLiteral("Move Marker"), true);
        });
    // The stacking order before the change is needed to undo it.
    for (const auto& [item, toFront] : { std::pair(w.Menus->mnuSendBack, false), { w.Menus->mnuBringFront, true } }) {
        disconnect(item, &QAction::triggered, &w, nullptr);
        connect(item, &QAction::triggered, this, [this, toFront] { Restack(toFront); });
    }
    connect(w.Names, &DescriptionFields::Edited, this, &GroupHistory::RecordFields);
    connect(w.Totals, &TotalsPanel::CarValueEdited, this, &GroupHistory::RecordFields);
    connect(w.Menus->mnuUndo, &QAction::triggered, this, &GroupHistory::Undo);
    connect(w.Menus->mnuRedo, &QAction::triggered, this, &GroupHistory::Redo);
    Reset();
}

void GroupHistory::Reset()
{
    m_steps.Clear();
    m_thumbnails.clear();
    m_state = Current();
    w.Changed = false;
    Done();
    // What the caller puts in place before it returns (recovered work, say)
    // is where the history starts too; changed, it is not the saved state.
    QMetaObject::invokeMethod(
        this,
        [this, reset = ++m_resets] {
            if (reset != m_resets || m_steps.Count() > 0)
                return;
            m_state = Current();
            if (w.Changed)
                m_steps.ForgetClean();
        },
        Qt::QueuedConnection);
}

void GroupHistory::SetClean()
{
    RecordFields();
    m_steps.SetClean();
    w.Changed = false;
    Done();
}

GroupHistory::GroupState GroupHistory::Current() const
{
    GroupState state;
    for (int slot = 0; slot < GroupSlotCount; ++slot) {
        state.Slots[size_t(slot)] = { w.Strip->PicturePath(slot), w.Strip->Caption(slot), w.Strip->ObjectList(slot),
            m_thumbnails.value(slot) };
    }
    state.Total = w.ObjIDTotal;
    state.Count = w.GroupObjectCount;
    const NameFieldTexts names = w.Names->Texts();
    std::copy(names.begin(), names.end(), state.Fields.begin());
    state.Fields[CarValueField] = w.Totals->CarValue();
    return state;
}

void GroupHistory::RecordFields()
{
    const GroupState now = Current();
    GroupStep step;
    for (int field = 0; field < int(now.Fields.size()); ++field) {
        if (now.Fields[size_t(field)] == m_state.Fields[size_t(field)])
            continue;
        step.Fields.append({ field, m_state.Fields[size_t(field)], now.Fields[size_t(field)] });
        step.Name = FieldSteps[size_t(field)];
    }
    if (step.Fields.isEmpty())
        return;
    // The name fields only propose a name for the file; the car value is
    // the group's once the group has a file.
    step.Marks = step.Fields.back().Field == CarValueField && !w.FileName.isEmpty();
    step.TotalBefore = step.TotalAfter = m_state.Total;
    step.CountBefore = step.CountAfter = m_state.Count;
    m_state.Fields = now.Fields;
    m_steps.Push(std::move(step));
    Done();
}

void GroupHistory::Record(const QString& name, bool nudge)
{
    RecordFields();
    // An emptied slot keeps no thumbnail.
    for (int slot = 0; slot < GroupSlotCount; ++slot) {
        if (w.Strip->IsEmpty(slot))
            m_thumbnails.remove(slot);
    }
    const GroupState now = Current();
    GroupStep step;
    step.Name = name;
    step.Nudge = nudge;
    for (int slot = 0; slot < GroupSlotCount; ++slot) {
        const SlotState& before = m_state.Slots[size_t(slot)];
        if (!before.SameAs(now.Slots[size_t(slot)]))
            step.Slots.append({ slot, before, now.Slots[size_t(slot)] });
    }
    if (step.Slots.isEmpty() && now.Total == m_state.Total && now.Count == m_state.Count)
        return;
    step.TotalBefore = m_state.Total;
    step.TotalAfter = now.Total;
    step.CountBefore = m_state.Count;
    step.CountAfter = now.Count;
    m_state = now;
    // A run of nudges of one marker is one step.
    GroupStep* last = m_steps.Joinable();
    if (nudge && last && last->Nudge && step.Slots.size() == 1 && last->Slots.size() == 1
        && last->Slots[0].Slot == step.Slots[0].Slot) {
        last->Slots[0].After = step.Slots[0].After;
        m_steps.Rejoined();
    } else {
        m_steps.Push(std::move(step));
    }
    Done();
}

void GroupHistory::Restack(bool toFront)
{
    RecordFields();
    const int marker = w.CurrentObject;
    const std::vector<int> before = w.OBJ->Model().StackingOrder();
    toFront ? w.mnuBringFront_Click() : w.mnuSendBack_Click();
    const auto at = std::find(before.begin(), before.end(), marker);
    if (at == before.end() || before == w.OBJ->Model().StackingOrder())
        return;
    GroupStep step;
    step.Name = toFront ? QStringLiteral("Bring to Front") : QStringLiteral("Send to Back");
    step.Marks = false;
    step.Marker = marker;
    step.ToFront = toFront;
    step.Slots.append({ w.CurrentImage, {}, {} });
    if (toFront)
        step.Passed.assign(at + 1, before.end());
    else
        step.Passed.assign(std::make_reverse_iterator(at), before.rend());
    step.TotalBefore = step.TotalAfter = m_state.Total;
    step.CountBefore = step.CountAfter = m_state.Count;
    m_steps.Push(std::move(step));
    Done();
}

void GroupHistory::Undo()
{
    RecordFields();
    if (m_steps.CanUndo())
        Apply(m_steps.Undo(), true);
}

void GroupHistory::Redo()
{
    RecordFields();
    if (m_steps.CanRedo())
        Apply(m_steps.Redo(), false);
}

void GroupHistory::Apply(const GroupStep& step, bool undo)
{
    for (const FieldChange& change : step.Fields) {
        const QString& text = undo ? change.Before : change.After;
        if (change.Field == CarValueField) {
            w.Totals->SetCarValue(text);
        } else {
            NameFieldTexts names = w.Names->Texts();
            names[size_t(change.Field)] = text;
            w.Names->SetTexts(names);
        }
    }
    w.ObjIDTotal = undo ? step.TotalBefore : step.TotalAfter;
    w.GroupObjectCount = undo ? step.CountBefore : step.CountAfter;
    if (step.Marker != 0)
        Restacked(step, undo);
    else
        for (const SlotChange& change : step.Slots)
            RestoreSlot(change.Slot, undo ? change.Before : change.After);
    w.UpdateTotals();
    w.Changed = m_steps.IsChanged();
    m_state = Current();
    Done();
}

void GroupHistory::RestoreSlot(int slot, const SlotState& state)
{
    bool shown = w.OBJ->Model().DisplayedSlot() == slot;
    // The markers on the surface must be the shown picture's.
    if (shown && state.Path != w.Strip->PicturePath(slot)) {
        w.ClearView();
        shown = false;
    }
    if (state.Path.isEmpty()) {
        w.Strip->ClearSlot(slot);
        m_thumbnails.remove(slot);
        return;
    }
    if (state.Path != w.Strip->PicturePath(slot) || state.Caption != w.Strip->Caption(slot)) {
        QImage thumbnail = state.Thumbnail;
        if (thumbnail.isNull())
            thumbnail = LoadPictures({ state.Path }, ThumbnailSize).value(0).Picture;
        w.Strip->ShowPicture(slot, state.Path, state.Caption, thumbnail);
        m_thumbnails.insert(slot, thumbnail);
    }
    w.Strip->SetObjectList(slot, state.Objects);
    if (shown)
        w.ShowMarkers(slot);
    else if (slot == w.CurrentImage) // a picture brought back is shown again
        w.ClipClicked(slot, 1);
}

void GroupHistory::Restacked(const GroupStep& step, bool undo)
{
    // The order is the shown markers' only: gone once they are rebuilt.
    if (w.OBJ->Model().DisplayedSlot() != step.Slots[0].Slot)
        return;
    if (!undo)
        step.ToFront ? w.OBJ->BringToFront(step.Marker) : w.OBJ->SendToBack(step.Marker);
    for (const int marker : undo ? step.Passed : std::vector<int>())
        step.ToFront ? w.OBJ->BringToFront(marker) : w.OBJ->SendToBack(marker);
}

void GroupHistory::Done()
{
    // The items say what they would undo and redo.
    w.Menus->mnuUndo->setEnabled(m_steps.CanUndo());
    w.Menus->mnuUndo->setText(
        m_steps.CanUndo() ? QStringLiteral("Undo ") + m_steps.NextUndo().Name : QStringLiteral("Undo"));
    w.Menus->mnuRedo->setEnabled(m_steps.CanRedo());
    w.Menus->mnuRedo->setText(
        m_steps.CanRedo() ? QStringLiteral("Redo ") + m_steps.NextRedo().Name : QStringLiteral("Redo"));
}
