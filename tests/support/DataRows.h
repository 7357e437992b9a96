#pragma once

#include <QTest>

// A data-driven test's columns and rows, each on one line:
//   Columns<QString, int>("text", "count");
//   Row("two words", "a b", 2);

template <class... Types, class... Names> void Columns(const Names&... names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "a name for each column");
    (QTest::addColumn<Types>(names), ...);
}

template <class... Values> void Row(const char* name, const Values&... values)
{
    (QTest::newRow(name) << ... << values);
}
