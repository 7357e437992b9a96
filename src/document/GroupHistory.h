#pragma once

#include "GroupStep.h"
#include "UndoStack.h"

#include <QHash>
#include <QObject>
#include <QSizeF>

#include <array>

class frmImage;

// Undo and Redo of the changes to the group (the Edit menu). After each
// change it compares the group with what it was before and keeps what
// differs, the slots, the totals and the fields it touched, as one step;
// undone, a step puts back exactly what was there, and the group is changed
// unless the history is back at the state last saved or opened.
class GroupHistory : public QObject {
    Q_OBJECT

public:
    // Follows the window's changes from now on: made after its menus, its
    // controls and its picture import.
    explicit GroupHistory(frmImage& window);

    // An empty history: the group as it stands is unchanged.
    void Reset();
    // The group was saved as it stands.
    void SetClean();
    void Undo();
    void Redo();

    [[nodiscard]] const UndoStack& Steps() const { return m_steps; }

private:
    struct GroupState {
        std::array<SlotState, 6> Slots;
        double Total = 0.0;
        qint16 Count = 0;
        std::array<QString, 5> Fields;
    };

    [[nodiscard]] GroupState Current() const;
    // A change just made, as a step named name; nothing when nothing changed.
    void Record(const QString& name, bool nudge = false);
    // A name field or the car value edited since the last step, as a step of
    // its own.
    void RecordFields();
    void Restack(bool toFront);
    void Apply(const GroupStep& step, bool undo);
    void RestoreSlot(int slot, const SlotState& state);
    void Restacked(const GroupStep& step, bool undo);
    void Done();

    frmImage& w;
    UndoStack m_steps;
    GroupState m_state;
    // Thumbnails of pictures imported in this session, by slot.
    QHash<int, QImage> m_thumbnails;
    QSizeF m_pressedSize;
    int m_resets = 0;
};
