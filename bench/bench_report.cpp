// Composes the report of six 24-megapixel photos into a PDF through the
// report command's own code, and prints the time beside the time djpeg
// needs to decode the same files at 1/4 scale (the decoder's floor at print
// resolution: a 6000 x 4000 photo at 1/4 is 1500 x 1000, the smallest scale
// still above a cell's 1021 x 766 dots at 300 dpi), the PDF's size and the
// peak memory of the composition. Then the reports of 24 such groups into a
// folder, beside djpeg -scale 1/4 of all their pictures, and their peak
// memory.
#include "BenchFigures.h"
#include "BenchPhotos.h"
#include "app/ReportCommand.h"
#include "document/GroupFile.h"
#include "platform/QtClock.h"
#include "viewport/PictureLoader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <limits>

namespace {

// Ten markers of every kind on each picture, some with details.
QString Markers(int picture)
{
    QString list;
    const int types[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 10 };
    for (int i = 0; i < 10; ++i) {
        list += QStringLiteral("%1;%2;%3;25;20;%1;%4;12/07/2026;spot %5,")
                    .arg(types[i])
                    .arg(1.2 + i * 0.4)
                    .arg(1.5 + i * 0.3)
                    .arg(100 * (picture + 1) + i)
                    .arg(i + 1);
    }
    return list;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ConfigurePictureReading();

    const QStringList photos = BenchPhotos(6, QSize(6000, 4000));
    QList<GroupPicture> pictures;
    for (int i = 0; i < int(photos.size()); ++i)
        pictures.append({ photos[i], Markers(i) });
    QTemporaryDir dir;
    const QString group = dir.filePath(QStringLiteral("Bench-Six.grp"));
    WriteGroupFile(group, QStringLiteral("25000"), pictures);
    const QString pdf = dir.filePath(QStringLiteral("Bench-Six.pdf"));
    // Making the photos does not count.
    const bool peakReset = ResetPeakMemory();

    QtClock clock;
    QString said;
    QTextStream out(&said);
    const auto compose = [&](const QStringList& options) {
        double best = std::numeric_limits<double>::max();
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer timer;
            timer.start();
            if (RunReportCommand(QStringList { group, QStringLiteral("-o"), pdf } + options, clock, out, out) != 0) {
                std::fprintf(stderr, "the report failed: %s\n", qPrintable(said));
                std::exit(1);
            }
            best = qMin(best, timer.nsecsElapsed() / 1e9);
        }
        return best;
    };
    const double report = compose({});
    const double peak = StatusMegabytes("VmHWM:");
    const qint64 size = QFileInfo(pdf).size();
    const double copies = compose({ QStringLiteral("--copies"), QStringLiteral("3"), QStringLiteral("--damage-list") });
    const qint64 copiesSize = QFileInfo(pdf).size();

    // 24 groups of the same six photos, into a folder of their own.
    QStringList batch;
    for (int i = 0; i < 24; ++i) {
        batch.append(dir.filePath(QStringLiteral("Bench-%1.grp").arg(i)));
        WriteGroupFile(batch.last(), QStringLiteral("25000"), pictures);
    }
    const QString folder = dir.filePath(QStringLiteral("reports"));
    const bool batchPeakReset = ResetPeakMemory();
    QElapsedTimer timer;
    timer.start();
    if (RunReportCommand(batch + QStringList { QStringLiteral("-o"), folder }, clock, out, out) != 0) {
        std::fprintf(stderr, "the reports failed: %s\n", qPrintable(said));
        return 1;
    }
    const double reports = timer.nsecsElapsed() / 1e9;
    const double batchPeak = StatusMegabytes("VmHWM:");

    const double floor = DjpegSeconds(photos, QStringLiteral("1/4"));
    if (floor < 0)
        return 1;

    BenchFigures figures;
    figures.RatioAtMost(
        "report of six 24-megapixel JPEGs into a PDF, beside djpeg -scale 1/4 of the six (summed)", report, floor, 0.6);
    figures.AtMost("PDF size", size / 1e6, 3, "MB");
    std::printf("three copies with the damage list: %.1f ms, %.2f MB\n", copies * 1000, copiesSize / 1e6);
    if (!peakReset)
        std::printf("(the peak below includes making the photos: it could not be reset)\n");
    figures.AtMost("peak memory of the composition", peak, 400, "MB");
    figures.RatioAtMost("reports of 24 groups of six 24-megapixel JPEGs into a folder, beside djpeg -scale 1/4 of "
                        "their 144 pictures (summed)",
        reports, 24 * floor, 0.6);
    if (!batchPeakReset)
        std::printf("(the peak below includes the single reports: it could not be reset)\n");
    figures.AtMost("peak memory of the 24 reports", batchPeak, 600, "MB");
    return figures.ExitCode();
}
