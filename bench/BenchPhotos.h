#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// Photo-like JPEGs for the benchmarks (noise over a gradient, so they
// compress and decode like real camera photos), made once and kept in a
// folder under /tmp between runs.
[[nodiscard]] QStringList BenchPhotos(int count, QSize size);

// Seconds that an external command takes, the best of a few runs.
[[nodiscard]] double BestCommandSeconds(const QString& program, const QStringList& arguments, int runs = 3);
