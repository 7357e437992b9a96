#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <utility>

// Where pictures go when several come in at once: the first into the start
// slot (replacing its picture, as Import Image always has), each next one
// into the next empty slot after it, round past the last slot to the first.
struct SlotPlan {
    // Slot and path, in the order the paths were given.
    QList<std::pair<int, QString>> Placed;
    // The paths no empty slot was left for.
    QStringList Left;
};

[[nodiscard]] SlotPlan PlanSlots(const QList<bool>& filled, int start, const QStringList& paths);

// What a drop of files asks for: pictures for the slots, one group file to
// open, or neither, with the reason (when there is one, nothing else
// counts).
struct DroppedFiles {
    QStringList Pictures;
    QString Group;
    QString Refusal;
};

// Judged by the names alone, so that nothing is read while the drop is
// still under way: a picture is a file of a type the picture loader reads.
[[nodiscard]] DroppedFiles ReadDrop(const QList<QUrl>& files);
