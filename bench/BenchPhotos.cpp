#include "BenchPhotos.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>

#include <cstdio>
#include <limits>

QStringList BenchPhotos(int count, QSize size)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("nimbrel-bench"));
    QDir().mkpath(folder);
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path
            = QStringLiteral("%1/photo-%2x%3-%4.jpg").arg(folder).arg(size.width()).arg(size.height()).arg(i);
        paths.append(path);
        if (QFile::exists(path))
            continue;
        QImage image(size, QImage::Format_RGB888);
        QRandomGenerator random(quint32(i + 1));
        for (int y = 0; y < size.height(); ++y) {
            uchar* line = image.scanLine(y);
            for (int x = 0; x < size.width(); ++x) {
                const int noise = int(random.bounded(48));
                line[3 * x] = uchar(40 + (x * 150) / size.width() + noise);
                line[3 * x + 1] = uchar(60 + (y * 120) / size.height() + noise);
                line[3 * x + 2] = uchar(90 + i * 20 + noise);
            }
        }
        image.save(path, "JPEG", 90);
    }
    return paths;
}

double BestCommandSeconds(const QString& program, const QStringList& arguments, int runs)
{
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            return -1.0;
        best = qMin(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

double DjpegSeconds(const QStringList& photos, const QString& scale)
{
    double sum = 0.0;
    for (const QString& photo : photos) {
        QStringList arguments { QStringLiteral("-outfile"), QStringLiteral("/dev/null"), photo };
        if (!scale.isEmpty())
            arguments = QStringList { QStringLiteral("-scale"), scale } + arguments;
        const double seconds = BestCommandSeconds(QStringLiteral("djpeg"), arguments);
        if (seconds < 0) {
            std::fprintf(stderr, "djpeg failed (apt-get install libjpeg-turbo-progs)\n");
            return -1.0;
        }
        sum += seconds;
    }
    return sum;
}

double StatusMegabytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

bool ResetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}
