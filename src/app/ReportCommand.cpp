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
    parser.addOptions({ output, header, footer, copies, damageList, keepProportions, help, version });
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
    const QStringList groups = parser.positionalArguments();
    if (groups.isEmpty())
        throw UserError(QStringLiteral("no group file is named"));
    if (groups.size() > 1)
        throw UserError(
            QStringLiteral("name one group file, not %1 (\"%2\")").arg(groups.size()).arg(groups.join(u' ')));
    result.GroupPath = groups.constFirst();
    if (result.GroupPath.isEmpty())
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
    return result;
}

ReportTexts ReportTextsFor(const ReportArguments& arguments, const Clock& clock)
{
    return { arguments.Header ? *arguments.Header : FileNameFromPath(arguments.GroupPath),
        arguments.Footer ? *arguments.Footer : clock.NowText() };
}

QString WriteReport(const ReportArguments& arguments, const Clock& clock)
{
    const QString& group = arguments.GroupPath;
    if (!QFileInfo::exists(group))
        throw UserError(GroupProblem(group, QStringLiteral("the file does not exist")));
    // One slip of the keyboard must not turn the group into a PDF.
    const QString output = QFileInfo(arguments.OutputPath).canonicalFilePath();
    if (!output.isEmpty() && output == QFileInfo(group).canonicalFilePath()) {
        throw UserError(QStringLiteral("Cannot write the report %1: it is the group file itself.")
                            .arg(QDir::toNativeSeparators(arguments.OutputPath)));
    }
    const GroupFileContent content = ReadGroupFile(group);
    if (!content.HasValidMagic())
        throw UserError(GroupProblem(group, QStringLiteral("it is not a VOSK Image Viewer file")));
    CheckMarkerCount(content, group);

    // The pictures fill the slots from the first, as the main window opens them.
    QList<GroupPicture> groupSlots = content.Pictures;
    groupSlots.resize(GroupSlotCount);
    const ReportTexts texts = ReportTextsFor(arguments, clock);
    ReportPdfOptions options;
    options.Copies = arguments.Copies;
    options.WithDamageList = arguments.WithDamageList;
    options.KeepProportions = arguments.KeepProportions;
    options.Paper = ReportPaper(QLocale::system());
    WriteReportPdf(arguments.OutputPath, groupSlots, content.CarValue, texts, options);
    if (content.NamedPictures <= GroupSlotCount)
        return {};
    return QStringLiteral("the group names %1 pictures; the report shows the first %2.")
        .arg(content.NamedPictures)
        .arg(GroupSlotCount);
}

int RunReportCommand(const QStringList& arguments, const Clock& clock, QTextStream& out, QTextStream& err)
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
            << "Writes the report of a group file into a PDF file: one page per copy, each followed by the\n"
               "damage list with --damage-list. The header is the group's name and the footer the current\n"
               "date and time unless they are given. With --keep-proportions each picture keeps its own\n"
               "shape, centred in its cell, and its markers stand over it. --version prints the version.\n";
        return ReportWritten;
    }
    if (parsed.Version) {
        out << "nimbrel-report " << ProgramVersion() << '\n';
        return ReportWritten;
    }
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
