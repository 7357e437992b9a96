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

// Seconds djpeg takes to decode the photos, summed, each the best of a few
// runs; scale is "1/8", "1/4", "1/2" or empty for the full size. -1, with a line
// on stderr, when djpeg cannot be run.
[[nodiscard]] double DjpegSeconds(const QStringList& photos, const QString& scale = {});

// A figure of this process's memory from /proc/self/status, in megabytes:
// "VmRSS:" (resident now) or "VmHWM:" (its peak); -1 when it cannot be read.
[[nodiscard]] double StatusMegabytes(const char* key);

// Starts the process's peak memory ("VmHWM:") anew from what it holds now;
// false when the system does not allow it.
bool ResetPeakMemory();
