#include "ReportCommand.h"

#include "ProgramVersion.h"
#include "common/PathText.h"
#include "common/UserError.h"
#include "document/GroupFile.h"
#include "platform/Clock.h"
#include "printing/ReportDocument.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>
#include <QThreadPool>

#include <filesystem>

namespace {

QString GroupProblem(const QString& path, const QString& problem)
{
    return QStringLiteral("Cannot open the group file %1: %2.").arg(QDir::toNativeSeparators(path), problem);
}

// One value of an option given once at most.
std::optional<QString> OptionValue(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    const QStringList values = parser.values(option);
    if (values.size() > 1)
        throw UserError(QStringLiteral("the option --%1 is given more than once").arg(option.names().constLast()));
    if (values.isEmpty())
        return std::nullopt;
    return values.constFirst();
}

// A group read for its report: what the PDF shows, and a note when it leaves
// pictures out.
struct GroupReport {
    QList<GroupPicture> Slots;
    QString CarValue;
    ReportTexts Texts;
    ReportPdfOptions Options;
    QString Note;
};

GroupReport ReadGroupReport(
    const ReportArguments& arguments, const QString& group, const QString& outputPath, const Clock& clock)
{
    if (!QFileInfo::exists(group))
        throw UserError(GroupProblem(group, QStringLiteral("the file does not exist")));
    // One slip of the keyboard must not turn the group into a PDF.
    const QString output = QFileInfo(outputPath).canonicalFilePath();
    if (!output.isEmpty() && output == QFileInfo(group).canonicalFilePath()) {
        throw UserError(QStringLiteral("Cannot write the report %1: it is the group file itself.")
                            .arg(QDir::toNativeSeparators(outputPath)));
    }
    const GroupFileContent content = ReadGroupFile(group);
    if (!content.HasValidMagic())
        throw UserError(GroupProblem(group, QStringLiteral("it is not a VOSK Image Viewer file")));
    CheckMarkerCount(content, group);

    GroupReport report;
    // The pictures fill the slots from the first, as the main window opens them.
    report.Slots = content.Pictures;
    report.Slots.resize(GroupSlotCount);
    report.CarValue = content.CarValue;
    report.Texts = ReportTextsFor(arguments, group, clock);
    report.Options.Copies = arguments.Copies;
    report.Options.WithDamageList = arguments.WithDamageList;
    report.Options.KeepProportions = arguments.KeepProportions;
    report.Options.Paper = ReportPaper(QLocale::system());
    if (content.NamedPictures > GroupSlotCount) {
        report.Note = QStringLiteral("the group names %1 pictures; the report shows the first %2.")
                          .arg(content.NamedPictures)
                          .arg(GroupSlotCount);
    }
    return report;
}

// One group of the batch form, from the start of its pictures' decoding to
// its report written.
struct BatchGroup {
    QString Group;
    QString Output;
    GroupReport Report;
    std::optional<QFuture<ReportImage>> Images;
    QString Failure; // why it gets no report, once known
};

} // namespace

ReportArguments ParseReportArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption output(
        QStringList { QStringLiteral("o"), QStringLiteral("output") }, QString(), QStringLiteral("PDF"));
    const QCommandLineOption header(QStringLiteral("header"), QString(), QStringLiteral("TEXT"));
    const QCommandLineOption footer(QStringLiteral("footer"), QString(), QStringLiteral("TEXT"));
    const QCommandLineOption copies(QStringLiteral("copies"), QString(), QStringLiteral("N"));
    const QCommandLineOption damageList(QStringLiteral("damage-list"));
    const QCommandLineOption keepProportions(QStringLiteral("keep-proportions"));
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption force(QStringLiteral("force"));
    parser.addOptions({ output, header, footer, copies, damageList, keepProportions, force, help, version });
    // The parser takes the program's name first.
    if (!parser.parse(QStringList { QStringLiteral("nimbrel-report") } + arguments))
        throw UserError(parser.errorText());

    ReportArguments result;
    if (parser.isSet(help)) {
        result.Help = true;
        return result;
    }
    if (parser.isSet(version)) {
        result.Version = true;
        return result;
    }
    result.GroupPaths = parser.positionalArguments();
    if (result.GroupPaths.isEmpty())
        throw UserError(QStringLiteral("no group file is named"));
    if (result.GroupPaths.contains(QString()))
        throw UserError(QStringLiteral("the group file's name is empty"));

    const std::optional<QString> outputPath = OptionValue(parser, output);
    if (!outputPath)
        throw UserError(QStringLiteral("no output file is named: give it with -o REPORT.pdf"));
    if (outputPath->isEmpty())
        throw UserError(QStringLiteral("the output file's name is empty"));
    result.OutputPath = *outputPath;
    result.Header = OptionValue(parser, header);
    result.Footer = OptionValue(parser, footer);
    if (const std::optional<QString> count = OptionValue(parser, copies)) {
        bool isNumber = false;
        result.Copies = count->trimmed().toInt(&isNumber);
        if (!isNumber || result.Copies < 1 || result.Copies > MaxReportCopies) {
            throw UserError(QStringLiteral("--copies takes a whole number from 1 to %1, not \"%2\"")
                                .arg(MaxReportCopies)
                                .arg(*count));
        }
    }
    result.WithDamageList = parser.isSet(damageList);
    result.KeepProportions = parser.isSet(keepProportions);
    result.Force = parser.isSet(force);
    return result;
}

ReportTexts ReportTextsFor(const ReportArguments& arguments, const QString& group, const Clock& clock)
{
    return { arguments.Header ? *arguments.Header : FileNameFromPath(group),
        arguments.Footer ? *arguments.Footer : clock.NowText() };
}

QString WriteReport(const ReportArguments& arguments, const Clock& clock)
{
    const GroupReport report
        = ReadGroupReport(arguments, arguments.GroupPaths.constFirst(), arguments.OutputPath, clock);
    WriteReportPdf(arguments.OutputPath, report.Slots, report.CarValue, report.Texts, report.Options);
    return report.Note;
}

int WriteReports(const ReportArguments& arguments, const Clock& clock, QTextStream& err, bool progress)
{
    const QString& folder = arguments.OutputPath;
    std::error_code error;
    if (!QFileInfo(folder).isDir() && !std::filesystem::create_directory(folder.toStdU16String(), error)) {
        err << "nimbrel-report: "
            << QStringLiteral("Cannot make the folder %1: %2.")
                   .arg(QDir::toNativeSeparators(folder),
                       error ? QString::fromLocal8Bit(error.message()) : QStringLiteral("it is not a folder"))
            << '\n';
        return ReportFailed;
    }
    QList<BatchGroup> groups;
    for (const QString& group : arguments.GroupPaths)
        groups.append({ group, QDir(folder).filePath(QFileInfo(group).completeBaseName() + ".pdf"), {}, {}, {} });

    const auto start = [&](qsizetype index) {
        BatchGroup& batch = groups[index];
        const QString output = QDir::toNativeSeparators(batch.Output);
        try {
            // The first group named claims the name; the file there is kept unless --force.
            for (qsizetype earlier = 0; earlier < index; ++earlier) {
                if (groups[earlier].Output == batch.Output) {
                    throw UserError(QStringLiteral("Cannot write the report %1: it is the report of %2, named before.")
                                        .arg(output, groups[earlier].Group));
                }
            }
            if (!arguments.Force && (QFileInfo::exists(batch.Output) || QFileInfo(batch.Output).isSymLink()))
                throw UserError(
                    QStringLiteral("Cannot write the report %1: the file exists; --force replaces it.").arg(output));
            batch.Report = ReadGroupReport(arguments, batch.Group, batch.Output, clock);
            // Nor is one taken that another run writes meanwhile.
            batch.Report.Options.KeepExisting = !arguments.Force;
            batch.Images = StartReportPdfImages(batch.Report.Slots, batch.Report.Options);
        } catch (const UserError& failure) {
            batch.Failure = failure.Text();
        }
    };
    bool failed = false;
    const auto finish = [&](qsizetype index) {
        BatchGroup& batch = groups[index];
        if (batch.Failure.isEmpty()) {
            try {
                const GroupReport& report = batch.Report;
                WriteReportPdf(batch.Output, report.Slots, report.CarValue, report.Texts, report.Options, batch.Images);
            } catch (const UserError& failure) {
                batch.Failure = failure.Text();
            }
        }
        const QString said = batch.Failure.isEmpty() ? batch.Report.Note : batch.Failure;
        if (!said.isEmpty())
            err << "nimbrel-report: " << batch.Group << ": " << said << '\n';
        if (progress && batch.Failure.isEmpty()) {
            err << QStringLiteral("nimbrel-report: %1: written to %2 (%3 of %4)\n")
                       .arg(batch.Group, QDir::toNativeSeparators(batch.Output))
                       .arg(index + 1)
                       .arg(groups.size());
        }
        failed = failed || !batch.Failure.isEmpty();
        // Its pictures are let go before the next groups start; those of a
        // report that failed first stop decoding.
        if (batch.Images) {
            batch.Images->cancel();
            batch.Images->waitForFinished();
        }
        batch.Images.reset();
        batch.Report = {};
    };
    // While a group's report is written, the pictures of the next decode,
    // enough of them to keep every core busy; memory holds only these few
    // groups' pictures.
    const qsizetype inFlight = 2 + QThreadPool::globalInstance()->maxThreadCount() / GroupSlotCount;
    qsizetype started = 0;
    for (qsizetype index = 0; index < groups.size(); ++index) {
        for (; started < groups.size() && started < index + inFlight; ++started)
            start(started);
        finish(index);
    }
    err.flush();
    return failed ? ReportFailed : ReportWritten;
}

int RunReportCommand(
    const QStringList& arguments, const Clock& clock, QTextStream& out, QTextStream& err, bool progress)
{
    ReportArguments parsed;
    try {
        parsed = ParseReportArguments(arguments);
    } catch (const UserError& wrong) {
        err << "nimbrel-report: " << wrong.Text() << '\n' << ReportUsage << '\n';
        return ReportBadArguments;
    }
    if (parsed.Help) {
        out << ReportUsage << '\n'
            << ReportBatchUsage << '\n'
            << "Writes the report of a group file into a PDF file: one page per copy, each followed by the\n"
               "damage list with --damage-list. The header is the group's name and the footer the current\n"
               "date and time unless they are given. With --keep-proportions each picture keeps its own\n"
               "shape, centred in its cell, and its markers stand over it. --version prints the version.\n"
               "Given several groups, or a folder with -o, writes each group's report into the folder, named\n"
               "after its group file (Smith.grp gives FOLDER/Smith.pdf), several at once. A file already there\n"
               "is replaced only with --force, and a group named after another of the same name is refused.\n";
        return ReportWritten;
    }
    if (parsed.Version) {
        out << "nimbrel-report " << ProgramVersion() << '\n';
        return ReportWritten;
    }
    if (parsed.GroupPaths.size() > 1 || QFileInfo(parsed.OutputPath).isDir())
        return WriteReports(parsed, clock, err, progress);
    try {
        const QString note = WriteReport(parsed, clock);
        if (!note.isEmpty())
            err << "nimbrel-report: " << note << '\n';
    } catch (const UserError& failure) {
        err << "nimbrel-report: " << failure.Text() << '\n';
        return ReportFailed;
    }
    return ReportWritten;
}
