#pragma once

#include "printing/ReportDocument.h"

#include <QString>
#include <QStringList>

#include <optional>

class Clock;
class QTextStream;

// The report command, nimbrel-report: writes the report of a group into a
// PDF file without a window, the same sheet the preview prints; or the
// reports of several groups, one PDF file each, into a folder.

inline const QString ReportUsage = QStringLiteral(
    "usage: nimbrel-report GROUP.grp -o REPORT.pdf [--header TEXT] [--footer TEXT] [--copies N] [--damage-list] "
    "[--keep-proportions]");

// The batch form, shown by --help after the usage.
inline const QString ReportBatchUsage = QStringLiteral(
    "       nimbrel-report GROUP.grp... -o FOLDER [--force] [--header TEXT] [--footer TEXT] [--copies N] "
    "[--damage-list] [--keep-proportions]");

// The most copies one file takes: copies are counted in 16 bits.
inline constexpr int MaxReportCopies = 32767;

struct ReportArguments {
    QStringList GroupPaths;
    QString OutputPath; // a folder for several groups
    std::optional<QString> Header; // the group's name when not given
    std::optional<QString> Footer; // the current date and time when not given
    int Copies = 1;
    bool WithDamageList = false;
    bool KeepProportions = false;
    bool Force = false; // a folder's files not written in this run are replaced too
    bool Help = false; // only the usage is asked for
    bool Version = false; // only the version is asked for

    friend bool operator==(const ReportArguments&, const ReportArguments&) = default;
};

// Exit codes: 0 the report is written, 1 it could not be (the group or the
// output; any group's of several), 2 the arguments cannot be used.
inline constexpr int ReportWritten = 0;
inline constexpr int ReportFailed = 1;
inline constexpr int ReportBadArguments = 2;

// Reads the arguments that follow the program's name. Throws UserError
// saying what is wrong with them.
[[nodiscard]] ReportArguments ParseReportArguments(const QStringList& arguments);

// The header and footer of a group's report: as given, else the group's name
// (the group file's name cut before its first ".") and the current date and
// time.
[[nodiscard]] ReportTexts ReportTextsFor(const ReportArguments& arguments, const QString& group, const Clock& clock);

// Reads the first group and writes its report into the output file. Returns a
// note for the user when the report leaves something out (pictures beyond the
// six a group holds), empty otherwise. Throws UserError: the group file is
// missing, damaged or no group file; the output cannot be written, or is the
// group file itself.
[[nodiscard]] QString WriteReport(const ReportArguments& arguments, const Clock& clock);

// The report of each group into the output folder (made when missing), named
// after the group file (Smith.grp gives FOLDER/Smith.pdf), several groups at
// once on every core. A group is left without a report, with one line on
// `err` ("nimbrel-report: GROUP: reason"), when it cannot be read or written,
// when a group named before it has the same name, or when its file is there
// already and --force is not given. With progress, each report written gets
// a line on `err` too. Returns the exit code.
[[nodiscard]] int WriteReports(const ReportArguments& arguments, const Clock& clock, QTextStream& err, bool progress);

// The whole command: the usage on `out` for --help, the name and version
// for --version; otherwise the report (the reports, for several groups or a
// folder named by -o), or one line on `err` saying why there is none
// ("nimbrel-report: ..."), followed by the usage when the arguments were
// wrong. With progress (stderr is a terminal) the batch form says each report
// it writes. Returns the exit code.
[[nodiscard]] int RunReportCommand(
    const QStringList& arguments, const Clock& clock, QTextStream& out, QTextStream& err, bool progress = false);
