#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// An object list holds the markers of one picture as text: one record per
// marker, each ended by ",", with its fields separated by ";":
//   type;LeftRatio;TopRatio;WidthRatio;HeightRatio;type;cost;date;comments,
// Everything after the sixth ";" is the marker's detail string.

// Where a marker sits on the picture surface, as the surface's extent
// divided by each of the marker's coordinates, so that it keeps its place at
// any zoom.
struct ObjectPlacement {
    float LeftRatio = 0.0f;
    float TopRatio = 0.0f;
    float WidthRatio = 0.0f;
    float HeightRatio = 0.0f;

    friend bool operator==(const ObjectPlacement&, const ObjectPlacement&) = default;
};

// The ratios of a marker at (left, top) with a size on a surface. A
// coordinate of 0 must have been made 1 first; a surface extent below one
// pixel counts as one, so no ratio is ever 0 or infinite.
[[nodiscard]] ObjectPlacement PlacementOf(
    float surfaceWidth, float surfaceHeight, float left, float top, float width, float height);

// Where a marker stands on a surface of a size, from its ratios.
[[nodiscard]] QRectF PlaceFromRatios(float surfaceWidth, float surfaceHeight, const ObjectPlacement& placement);

// A record read back: the damage type its picture shows, its ratios, its
// tag and its detail string.
struct ObjectRecord {
    int DamageType = 0;
    ObjectPlacement Placement;
    QString Tag;
    QString Detail;
};

// Reads one record (without its ","). Throws UserError saying what is wrong:
// fewer than seven fields, a damage type that names no toolbar button, or a
// ratio that is not a number or is 0.
[[nodiscard]] ObjectRecord ParseRecord(QStringView record);

// The damage type and ratios of a record (fields 0 to 4), when they can be
// drawn even if the record is too short to be shown as a marker; nullopt
// otherwise. Tag and detail stay empty.
[[nodiscard]] std::optional<ObjectRecord> DrawableRecord(QStringView record);

// One record, its "," included: the tag stands as field 0 and field 5.
[[nodiscard]] QString FormatRecord(const QString& tag, const ObjectPlacement& placement, const QString& detail);

// The records of a list, without their ","; the text after the last "," is
// not a record (UnterminatedText gives it).
[[nodiscard]] QList<QStringView> SplitRecords(QStringView list);

// The text after the last "," of a list: a record that lost its ",", kept
// as it stands; empty when the list ends in ",".
[[nodiscard]] QStringView UnterminatedText(QStringView list);

// The number of records: the number of "," in the list.
[[nodiscard]] qsizetype CountRecords(QStringView list);

// The detail string of a record: everything after its sixth ";", taken
// whole; empty when the record has fewer fields.
[[nodiscard]] QString DetailOf(QStringView record);

// The cost of one record: the numeric value of field 6; a record with fewer
// than seven fields has no cost.
[[nodiscard]] double RecordCost(QStringView record);

// The sum of the costs of every record of a list.
[[nodiscard]] double ListCost(QStringView list);
