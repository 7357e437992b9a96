// The report command: its arguments, its texts, and the command itself run
// as a process on a group made here, with its exit codes, its one line of
// reason and the pages of the PDF it writes.
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "app/ReportCommand.h"
#include "common/UserError.h"
#include "document/GroupFile.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString ParseFailure(const QStringList& arguments)
{
    try {
        (void)ParseReportArguments(arguments);
    } catch (const UserError& wrong) {
        return wrong.Text();
    }
    return QStringLiteral("accepted");
}

// The pages of a PDF: its page objects, "/Type /Page" but not "/Pages".
int PageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

struct Run {
    int ExitCode = -1;
    QString Out;
    QString Err;
};

Run RunCommand(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(NIMBREL_REPORT_COMMAND), arguments);
    Run run;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.ExitCode = process.exitCode();
    run.Out = QString::fromUtf8(process.readAllStandardOutput());
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

Q_DECLARE_METATYPE(ReportArguments)

class ReportCommandTest : public QObject {
    Q_OBJECT

private slots:
    void argumentsAreRead_data()
    {
        Columns<QStringList, ReportArguments>("arguments", "expected");
        ReportArguments plain;
        plain.GroupPath = QStringLiteral("car.grp");
        plain.OutputPath = QStringLiteral("car.pdf");
        Row("group and output", QStringList { "car.grp", "-o", "car.pdf" }, plain);
        Row("output first", QStringList { "-o", "car.pdf", "car.grp" }, plain);
        Row("long output option", QStringList { "car.grp", "--output=car.pdf" }, plain);

        ReportArguments all = plain;
        all.Header = QStringLiteral("Smith");
        all.Footer = QString();
        all.Copies = 3;
        all.WithDamageList = true;
        Row("everything, an empty footer",
            QStringList {
                "car.grp", "-o", "car.pdf", "--header", "Smith", "--footer", "", "--copies", "3", "--damage-list" },
            all);

        ReportArguments dashed = plain;
        dashed.GroupPath = QStringLiteral("-odd.grp");
        dashed.Header = QStringLiteral("-x");
        Row("a header and a group that begin with a dash",
            QStringList { "-o", "car.pdf", "--header", "-x", "--", "-odd.grp" }, dashed);

        ReportArguments most = plain;
        most.Copies = MaxReportCopies;
        Row("the most copies", QStringList { "car.grp", "-o", "car.pdf", "--copies", "32767" }, most);

        ReportArguments help;
        help.Help = true;
        Row("help", QStringList { "--help" }, help);
        Row("help among others", QStringList { "car.grp", "-h" }, help);
    }
    void argumentsAreRead()
    {
        QFETCH(QStringList, arguments);
        QFETCH(ReportArguments, expected);
        QCOMPARE(ParseReportArguments(arguments), expected);
    }

    void wrongArgumentsSayWhatIsWrong_data()
    {
        Columns<QStringList, QString>("arguments", "reason");
        Row("nothing", QStringList {}, "no group file is named");
        Row("no output", QStringList { "car.grp" }, "no output file is named: give it with -o REPORT.pdf");
        Row("two groups", QStringList { "a.grp", "b.grp", "-o", "r.pdf" },
            "name one group file, not 2 (\"a.grp b.grp\")");
        Row("-o without its file", QStringList { "car.grp", "-o" }, "Missing value after '-o'.");
        Row("an empty output name", QStringList { "car.grp", "-o", "" }, "the output file's name is empty");
        Row("an empty group name", QStringList { "", "-o", "r.pdf" }, "the group file's name is empty");
        Row("two outputs", QStringList { "car.grp", "-o", "a.pdf", "--output", "b.pdf" },
            "the option --output is given more than once");
        Row("unknown option", QStringList { "car.grp", "-o", "r.pdf", "--colour" }, "Unknown option 'colour'.");
        const QString copies = QStringLiteral("--copies takes a whole number from 1 to 32767, not \"%1\"");
        for (const char* count : { "0", "-1", "2.5", "three", "32768", "" }) {
            QTest::addRow("copies \"%s\"", count)
                << QStringList { "car.grp", "-o", "r.pdf", "--copies", count } << copies.arg(count);
        }
    }
    void wrongArgumentsSayWhatIsWrong()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        QCOMPARE(ParseFailure(arguments), reason);
    }

    void headerAndFooterDefaults_data()
    {
        Columns<QStringList, QString, QString>("arguments", "header", "footer");
        Row("the group's name, cut at its first period; the clock's date and time",
            QStringList { "/home/ann/groups/Smith-Car.Final.grp", "-o", "r.pdf" }, "Smith-Car", "12/07/2026 09:30");
        Row("a group named on Windows", QStringList { "C:\\cars\\Smith-Car.grp", "-o", "r.pdf" }, "Smith-Car",
            "12/07/2026 09:30");
        Row("given texts, an empty header kept empty",
            QStringList { "car.grp", "-o", "r.pdf", "--header", "", "--footer", "Checked\nby Ann" }, "",
            "Checked\nby Ann");
    }
    void headerAndFooterDefaults()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, header);
        QFETCH(QString, footer);
        FakePlatform clock;
        const ReportTexts texts = ReportTextsFor(ParseReportArguments(arguments), clock);
        QCOMPARE(texts.Header, header);
        QCOMPARE(texts.Footer, footer);
    }

    void commandWritesOnePagePerCopy_data()
    {
        Columns<QStringList, int>("options", "pages");
        Row("one copy", QStringList {}, 1);
        Row("with the damage list", QStringList { "--damage-list" }, 2);
        Row("three copies", QStringList { "--copies", "3" }, 3);
        Row("three copies with the damage list", QStringList { "--copies", "3", "--damage-list" }, 6);
        Row("own header and footer", QStringList { "--header", "Ann's car", "--footer", "Checked" }, 1);
    }
    void commandWritesOnePagePerCopy()
    {
        QFETCH(QStringList, options);
        QFETCH(int, pages);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("my cars"));
        const QString front = dir.filePath("my cars/front.jpg");
        WriteJpeg(front, QSize(640, 480));
        WriteRotatedJpeg(dir.filePath("my cars/side.jpg"), QSize(400, 300));
        const QString group = dir.filePath("my cars/Smith-Car.grp");
        WriteGroupFile(group, QStringLiteral("15000"),
            { { front, QStringLiteral("1;2;2;10;10;1;250;12/05/2005;left door,10;4;4;8;8;10;;,") },
                { dir.filePath("my cars/side.jpg"), QString() }, { dir.filePath("gone.jpg"), "3;2;2;9;9;3;40;;," } });
        const QString output = dir.filePath("my cars/report.pdf");
        const Run run = RunCommand(QStringList { group, "-o", output } + options);
        QCOMPARE(run.Err, QString());
        QCOMPARE(run.ExitCode, ReportWritten);
        const QByteArray pdf = ReadBytes(output);
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(PageCount(pdf), pages);
        // Each picture is kept once, whatever the number of copies.
        QCOMPARE(pdf.count("/Subtype /Image"), 2);
    }

    void commandRefusesWithOneLineOfReason_data()
    {
        // reason: %1 stands for the group, %2 for the output.
        Columns<QString, QString>("situation", "reason");
        Row("missing group", "missing", "Cannot open the group file %1: the file does not exist.");
        Row("damaged group", "damaged",
            "Cannot open the group file %1: line 2 ends after its first field (a picture line has two).");
        Row("not a group file", "foreign", "Cannot open the group file %1: it is not a VOSK Image Viewer file.");
        Row("a folder as the group", "folder group", "Cannot open the group file %1: it is not a regular file.");
        Row("output in a missing folder", "no folder", "Cannot write the report %2: No such file or directory.");
        Row("output is a folder", "folder output", "Cannot write the report %2: Filename refers to a directory.");
        Row("output is the group file", "group output", "Cannot write the report %2: it is the group file itself.");
    }
    void commandRefusesWithOneLineOfReason()
    {
        QFETCH(QString, situation);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString group = dir.filePath("car.grp");
        QString output = dir.filePath("report.pdf");
        WriteJpeg(dir.filePath("car.jpg"), QSize(64, 48));
        WriteGroupFile(group, QStringLiteral("100"), { { dir.filePath("car.jpg"), QString() } });
        // A report written before stays as it was.
        WriteBytes(output, "old report");
        if (situation == "missing")
            group = dir.filePath("gone.grp");
        if (situation == "damaged")
            WriteBytes(group, "\"VOSKImageViewer1;0\"\r\n\"/cars/car.jpg\"\r\n");
        if (situation == "foreign")
            WriteBytes(group, "\"SomethingElse1;0\"\r\n");
        if (situation == "folder group") {
            group = dir.filePath("folder.grp");
            QVERIFY(QDir(dir.path()).mkdir("folder.grp"));
        }
        if (situation == "no folder")
            output = dir.filePath("no such folder/report.pdf");
        if (situation == "folder output") {
            output = dir.filePath("out.pdf");
            QVERIFY(QDir(dir.path()).mkdir("out.pdf"));
        }
        if (situation == "group output")
            output = dir.filePath("./car.grp");
        const QByteArray groupBytes = situation == "group output" ? ReadBytes(group) : QByteArray();
        const Run run = RunCommand({ group, "-o", output });
        if (situation == "group output")
            QCOMPARE(ReadBytes(group), groupBytes);
        QCOMPARE(run.ExitCode, ReportFailed);
        QCOMPARE(
            run.Err, QStringLiteral("nimbrel-report: ") + reason.replace("%1", group).replace("%2", output) + u'\n');
        QCOMPARE(run.Out, QString());
        QCOMPARE(ReadBytes(dir.filePath("report.pdf")), QByteArray("old report"));
    }

    void picturesBeyondSixAreNoted()
    {
        QTemporaryDir dir;
        QList<GroupPicture> pictures;
        for (int i = 0; i < 8; ++i) {
            pictures.append({ dir.filePath(QStringLiteral("p%1.jpg").arg(i)), QString() });
            WriteJpeg(pictures.last().Path, QSize(32, 24));
        }
        const QString group = dir.filePath("Eight.grp");
        WriteGroupFile(group, QString(), pictures);
        const Run run = RunCommand({ group, "-o", dir.filePath("eight.pdf") });
        QCOMPARE(run.ExitCode, ReportWritten);
        QCOMPARE(
            run.Err, QStringLiteral("nimbrel-report: the group names 8 pictures; the report shows the first 6.\n"));
    }

    void badArgumentsGiveTheReasonAndTheUsage()
    {
        const Run run = RunCommand({ "car.grp", "--copies", "many", "-o", "r.pdf" });
        QCOMPARE(run.ExitCode, ReportBadArguments);
        QCOMPARE(run.Err,
            QStringLiteral("nimbrel-report: --copies takes a whole number from 1 to 32767, not \"many\"\n")
                + ReportUsage + u'\n');
        QCOMPARE(run.Out, QString());
    }

    void helpGivesTheUsage()
    {
        const Run run = RunCommand({ "--help" });
        QCOMPARE(run.ExitCode, ReportWritten);
        QVERIFY(run.Out.startsWith(ReportUsage + u'\n'));
        QCOMPARE(run.Err, QString());
    }
};

QTEST_MAIN(ReportCommandTest)
#include "tst_reportcommand.moc"
