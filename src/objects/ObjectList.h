#pragma once

#include <QString>
#include <QStringView>

// An object list holds the markers of one picture: one record per marker,
// each ended by ",", with its fields separated by ";". Field 6 of a record
// is the marker's cost text.

// The number of records: the number of "," in the list.
[[nodiscard]] qsizetype CountRecords(QStringView list);

// The cost of one record (without its ","): the numeric value of field 6;
// a record with fewer than seven fields has no cost.
[[nodiscard]] double RecordCost(QStringView record);

// The sum of the costs of every record of a list.
[[nodiscard]] double ListCost(QStringView list);
