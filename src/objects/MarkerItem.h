#pragma once

#include "MarkerGeometry.h"
#include "ObjectList.h"

#include <QRectF>
#include <QString>

// One marker of the displayed picture, as data: what it shows, where it
// stands, what it records.
struct MarkerItem {
    // The damage type whose picture it shows.
    int DamageType = 0;
    // The damage type number as text, stored as fields 0 and 5 of its record.
    QString Tag;
    // The detail string "cost;date;comments", shown as its tool tip.
    QString Detail;
    // Left, top, width and height on the picture surface, pixels.
    QRectF Place;
    // Its place as ratios of the surface, as last stored.
    ObjectPlacement Placement;
    // A deleted marker stays in the list, hidden, until the markers are
    // rebuilt, so that the numbers of the others do not change.
    bool Visible = true;
    // What a drag does: chosen while the pointer hovers over it.
    PointerZone Pointer = PointerZone::Move;
};
