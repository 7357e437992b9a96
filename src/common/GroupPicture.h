#pragma once

#include <QString>
#include <QtGlobal>

// A group holds six picture slots.
inline constexpr qsizetype GroupSlotCount = 6;

// One slot of a group: its picture's full path (empty for an empty slot)
// and its markers as an object list.
struct GroupPicture {
    QString Path;
    QString Objects;

    friend bool operator==(const GroupPicture&, const GroupPicture&) = default;
};
