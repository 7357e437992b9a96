#pragma once

#include <QString>

// A marker's detail string is its cost, its date and its comments joined by
// ";": "250;12/05/2005;left door". It is the tail of the marker's record in
// the object list (see ObjectList.h).

// The three details of a marker as the details dialog shows them.
struct DetailFields {
    QString Cost;
    QString Date;
    QString Comments;

    friend bool operator==(const DetailFields&, const DetailFields&) = default;
};

// The characters no detail may hold: they separate the fields of a record and
// of the group file.
inline const QString DetailRefuses = QStringLiteral(";,\"");

// The most characters a user may type into each detail.
inline constexpr int CostMaxLength = 5, DateMaxLength = 10, CommentsMaxLength = 25;

// The fields for a detail string as the dialog opens it: "" gives three empty
// fields (no date proposed); otherwise field 0 is the cost, field 1 the date
// (today when it is empty or missing), and the comments are everything after
// the second ";" taken whole (so a hand-made "250;;a;b" keeps "a;b" rather
// than losing "b").
[[nodiscard]] DetailFields SplitDetail(const QString& objData, const QString& today);

// cost ";" date ";" comments
[[nodiscard]] QString JoinDetail(const DetailFields& fields);

// The cost total after OK: total - oldCost + NumericValue(costText), in
// double precision.
[[nodiscard]] double TotalAfterEdit(double objIdTotal, double oldCost, const QString& costText);
