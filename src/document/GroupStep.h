#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <vector>

// What one slot held: its picture, its caption, its markers as an object
// list; the thumbnail when the step has it, so that a picture brought back
// need not be decoded again (null: decode it).
struct SlotState {
    QString Path;
    QString Caption;
    QString Objects;
    QImage Thumbnail;

    [[nodiscard]] bool SameAs(const SlotState& other) const
    {
        return Path == other.Path && Caption == other.Caption && Objects == other.Objects;
    }
};

struct SlotChange {
    int Slot = 0;
    SlotState Before;
    SlotState After;
};

// A name field (0 to 3) or the car value (4), before and after.
struct FieldChange {
    int Field = 0;
    QString Before;
    QString After;
};

// One change to the group, as what it touched was before and after: the
// slots, the group's total and count, the fields, or the stacking order of
// the shown markers (which a save does not write).
struct GroupStep {
    QString Name;
    // False for a step that leaves what a save writes as it was.
    bool Marks = true;
    QList<SlotChange> Slots;
    QList<FieldChange> Fields;
    double TotalBefore = 0.0;
    double TotalAfter = 0.0;
    qint16 CountBefore = 0;
    qint16 CountAfter = 0;
    // Send to Back or Bring to Front of a marker of the slot (0 for none):
    // undone by restacking, in order, the markers it passed.
    int Marker = 0;
    bool ToFront = false;
    std::vector<int> Passed;
    // A keyboard nudge, which the next nudge of the run joins.
    bool Nudge = false;

    // The memory the step holds, roughly.
    [[nodiscard]] qint64 Bytes() const
    {
        qint64 bytes = 256 + qint64(Passed.size()) * qint64(sizeof(int));
        for (const SlotChange& change : Slots) {
            for (const SlotState* state : { &change.Before, &change.After })
                bytes += (state->Path.size() + state->Caption.size() + state->Objects.size()) * 2
                    + state->Thumbnail.sizeInBytes();
        }
        for (const FieldChange& change : Fields)
            bytes += (change.Before.size() + change.After.size()) * 2;
        return bytes;
    }
};
