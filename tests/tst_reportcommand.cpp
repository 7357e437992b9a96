// nimbrel-report run on groups made here: what its PDF shows, its exit codes and its one line of reason; nimbrel's.
#include "DataRows.h"
#include "PdfWords.h"
#include "TestFiles.h"
#include "app/ReportCommand.h"
#include "common/UserError.h"
#include "common/WholeFile.h"
#include "document/GroupFile.h"
#include "platform/QtClock.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

// The command run, with no display, in a folder on one line of arguments ('' for an empty one): exit code, stdout (a
// usage's first line), stderr. With a limit, its files grow to that many bytes at most, as if the disk were full.
static QStringList Run(const QString& line, const QString& folder, rlim_t fileLimit = RLIM_INFINITY,
    const QString& program = NIMBREL_REPORT_COMMAND)
{
    QProcess process;
    process.setEnvironment(QProcess::systemEnvironment().filter(QRegularExpression("^(?!(WAYLAND_)?DISPLAY=|QT_QPA)")));
    process.setChildProcessModifier([fileLimit] {
        const rlimit limit { fileLimit, fileLimit }, noCore { 0, 0 }; // a window failing for want of a display
        setrlimit(RLIMIT_FSIZE, &limit);
        setrlimit(RLIMIT_CORE, &noCore);
        signal(SIGXFSZ, SIG_IGN);
    });
    process.setWorkingDirectory(folder);
    process.start(program, line.split(' ', Qt::SkipEmptyParts).replaceInStrings(QRegularExpression("^''$"), QString()));
    process.waitForFinished(120'000);
    const QString out = process.readAllStandardOutput();
    return { QString::number(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1),
        out.startsWith("usage: ") ? out.section('\n', 0, 0) : out, process.readAllStandardError() };
}

class ReportCommandTest : public QObject {
    Q_OBJECT

private slots:
    // Each copy's sheet, then the damage list when asked for; the group's name and the time of the run unless given.
    void theReportShowsTheGroup_data()
    {
        Columns<QString, int, QString, QString>("options", "pages", "header", "footer");
        Row("three copies with the damage list", "--copies 3 --damage-list", 6, "Smith-Car", "now");
        Row("own header and footer", "--header Ann --footer Checked", 1, "Ann", "Checked");
        Row("empty texts kept empty", "--header '' --footer ''", 1, "", "");
        Row("proportions kept", "--keep-proportions", 1, "Smith-Car", "now");
    }
    void theReportShowsTheGroup()
    {
        QFETCH(QString, options);
        QFETCH(int, pages);
        QFETCH(QString, header);
        QFETCH(QString, footer);
        QTemporaryDir dir;
        WriteJpeg(dir.filePath("front.jpg"), QSize(640, 400));
        WriteRotatedJpeg(dir.filePath("side.jpg"), QSize(400, 300));
        // A PNG header claiming 2000000 x 1 pixels: the decoder's complaint stays off stderr.
        WriteBytes(dir.filePath("wide.png"),
            QByteArray::fromHex(
                "89504e470d0a1a0a0000000d49484452001e848000000001080000000011a881950000000049454e44ae426082"));
        WriteGroupFile(dir.filePath("Smith-Car.Final.grp"), "15000",
            { { "front.jpg", "1;2;2;10;10;1;250;12/05/2005;left door,9;2;2;10;10;9;5;;,10;4;4;8;8;10;;," },
                { "side.jpg", "" }, { "gone.jpg", "3;2;2;9;9;3;40.5;;a;b," }, { "wide.png", "" } });
        QCOMPARE(Run("Smith-Car.Final.grp -o r.pdf " + options, dir.path()), QStringList({ "0", "", "" }));
        const PdfWords pdf(dir.filePath("r.pdf"));
        QCOMPARE(pdf.Title + ' ' + QString::number(pdf.Pages.size()), header + ' ' + QString::number(pages));
        QCOMPARE(ReadBytes(dir.filePath("r.pdf")).count("/Subtype /Image"), 2); // each picture once
        for (int page = 1; page < pages; ++page)
            QCOMPARE(pdf.Texts(page), pdf.Texts(options.contains("list") ? page % 2 : 0));
        QVERIFY(QLineF(pdf.Find(0, "Review").Box.topLeft(), QPointF(840, 13200)).length() < 1); // in twips
        // front's badges 1 and 2 stand CH / 2 - CH / 4 apart: CH is 3673.125 stretched, 3060.9375 with proportions
        // kept.
        const double apart = pdf.Find(0, "1").Box.top() - pdf.Find(0, "2").Box.top();
        QVERIFY2(qAbs(apart - (options.contains("keep") ? 765.2 : 918.3)) < 3, qPrintable(QString::number(apart)));
        const QStringList words = pdf.Texts(0); // the footer's words follow "Date"
        const QString foot = words.mid(words.lastIndexOf("Date") + 1).join(' ');
        QVERIFY2(
            footer == "now" ? foot.startsWith(QtClock().TodayShortDate() + ' ') : foot == footer, qPrintable(foot));
        if (options.contains("list")) // type 9 has no button and is left out, as on screen
            QCOMPARE(pdf.Texts(1).mid(9).join(' '),
                "front 1 Dent 250 12/05/2005 left door front 2 General Damage gone 1 Scratch 40.5 a;b Total Damages "
                "290.5 Car Value 15000 Current Value 14709.5");
    }

    // car.grp names eight pictures; r.pdf, an earlier report, and the group stay as they were when the command fails,
    // the pipe too.
    void theCommandAnswersInALine_data()
    {
        Columns<QString, QString, QString>("line", "exit", "reason");
        Row("no group", "gone.grp -o r.pdf", "1", "Cannot open the group file gone.grp: the file does not exist.");
        Row("a folder", "f.grp -o r.pdf", "1", "Cannot open the group file f.grp: it is not a regular file.");
        Row("foreign", "x.grp -o r.pdf", "1", "Cannot open the group file x.grp: it is not a VOSK Image Viewer file.");
        Row("the most copies, no folder", "car.grp -o no/r.pdf --copies 32767", "1",
            "Cannot write the report no/r.pdf: No such file or directory.");
        Row("itself", "car.grp -o ./car.grp", "1", "Cannot write the report ./car.grp: it is the group file itself.");
        Row("a pipe", "car.grp -o pipe", "1", "Cannot write the report pipe: it is not a regular file.");
        Row("a full disk", "car.grp -o r.pdf", "1", "Cannot write the report r.pdf: File too large.");
        Row("more than six", "car.grp -o six.pdf", "0", "the group names 8 pictures; the report shows the first 6.");
        Row("help among others: the usage on stdout", "car.grp -h", "0", "");
        Row("the version among others", "car.grp --version", "0", "");
        Row("nothing", "", "2", "no group file is named");
        Row("no output", "car.grp", "2", "no output file is named: give it with -o REPORT.pdf");
        Row("two groups, a file for their folder", "a.grp b.grp -o r.pdf", "1",
            "Cannot make the folder r.pdf: File exists.");
        Row("an empty output name", "car.grp -o ''", "2", "the output file's name is empty");
        Row("an empty group name", "'' -o r.pdf", "2", "the group file's name is empty");
        Row("two outputs", "car.grp -o a.pdf --output b.pdf", "2", "the option --output is given more than once");
        Row("unknown option", "car.grp -o r.pdf --colour", "2", "Unknown option 'colour'.");
        const QString copies = "--copies takes a whole number from 1 to 32767, not \"%1\"";
        Row("copies 0", "car.grp -o r.pdf --copies 0", "2", copies.arg("0"));
        Row("copies 2.5", "car.grp -o r.pdf --copies 2.5", "2", copies.arg("2.5"));
        Row("copies 32768", "car.grp -o r.pdf --copies 32768", "2", copies.arg("32768"));
    }
    void theCommandAnswersInALine()
    {
        QFETCH(QString, line);
        QFETCH(QString, exit);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        WriteGroupFile(dir.filePath("car.grp"), "100", QList<GroupPicture>(8, { "p.jpg", QString() }));
        WriteBytes(dir.filePath("x.grp"), "\"SomethingElse1;0\"\r\n");
        WriteBytes(dir.filePath("r.pdf"), "old report");
        QVERIFY(QDir(dir.path()).mkdir("f.grp") && mkfifo(QFile::encodeName(dir.filePath("pipe")), 0600) == 0);
        const QByteArray kept = "old report" + ReadBytes(dir.filePath("car.grp"));
        const QString err = "nimbrel-report: " + reason + (exit == "2" ? "\n" + ReportUsage : "") + "\n";
        const QString out = line.contains("-h") ? ReportUsage : line.contains("-v") ? "nimbrel-report 1.0\n" : "";
        QCOMPARE(Run(line, dir.path(), QTest::currentDataTag() == QByteArray("a full disk") ? 2000 : RLIM_INFINITY),
            (QStringList { exit, out, reason.isEmpty() ? "" : err }));
        QCOMPARE(ReadBytes(dir.filePath("r.pdf")) + ReadBytes(dir.filePath("car.grp")), kept);
    }

    // Several groups, or a folder, give a report per group named after it, with the options; one without gets a line.
    void theBatchWritesAReportPerGroup_data()
    {
        Columns<QString, QString, QString, QStringList>("line", "exit", "err", "written");
        Row("three groups, one damaged, into a new folder", "Smith.grp x.grp Jones.grp -o new --damage-list", "1",
            "x.grp: Cannot open the group file x.grp: it is not a VOSK Image Viewer file.",
            QStringList { "new/Smith", "new/Jones" });
        Row("a file there kept", "Smith.grp Jones.grp -o out", "1",
            "Jones.grp: Cannot write the report out/Jones.pdf: the file exists; --force replaces it.",
            QStringList { "out/Smith" });
        Row("replaced with --force", "Smith.grp Jones.grp -o out --force", "0", "",
            QStringList { "out/Smith", "out/Jones" });
        Row("a name taken before", "sub/Smith.grp Smith.grp -o out", "1",
            "Smith.grp: Cannot write the report out/Smith.pdf: it is the report of sub/Smith.grp, named before.",
            QStringList { "out/Smith" });
    }
    void theBatchWritesAReportPerGroup()
    {
        QFETCH(QString, line);
        QFETCH(QString, exit);
        QFETCH(QString, err);
        QFETCH(QStringList, written);
        QTemporaryDir dir;
        WriteJpeg(dir.filePath("front.jpg"), QSize(64, 48));
        WriteBytes(dir.filePath("x.grp"), "\"SomethingElse1;0\"\r\n");
        QVERIFY(QDir(dir.path()).mkpath("out") && QDir(dir.path()).mkpath("sub"));
        WriteBytes(dir.filePath("out/Jones.pdf"), "old report");
        for (const QString group : { "Smith", "Jones", "sub/Smith" }) // each its own marker, commented with its name
            WriteGroupFile(dir.filePath(group + ".grp"), "100",
                { { dir.filePath("front.jpg"), "1;2;2;9;9;1;250;;" + group + "," } });
        QCOMPARE(
            Run(line, dir.path()), (QStringList { exit, "", err.isEmpty() ? "" : "nimbrel-report: " + err + "\n" }));
        for (const QString& report : written) {
            const PdfWords pdf(dir.filePath(report + ".pdf"));
            const QString name = report.section('/', 1);
            QCOMPARE(pdf.Title + ' ' + QString::number(pdf.Pages.size()), name + (line.contains("list") ? " 2" : " 1"));
            QVERIFY(QLineF(pdf.Find(0, "Review").Box.topLeft(), QPointF(840, 13200)).length() < 1);
            if (line.contains("list"))
                QCOMPARE(pdf.Texts(1).mid(9, 5).join(' '), "front 1 Dent 250 " + name);
        }
        QCOMPARE(ReadBytes(dir.filePath("out/Jones.pdf")) == "old report", !written.contains("out/Jones"));
        if (exit == "0") { // someone watching at a terminal sees each report written
            const QString here = QDir::currentPath();
            QDir::setCurrent(dir.path());
            QString said;
            QTextStream stream(&said);
            QCOMPARE(RunReportCommand(line.split(' '), QtClock(), stream, stream, true), 0);
            QDir::setCurrent(here);
            QCOMPARE(said,
                "nimbrel-report: Smith.grp: written to out/Smith.pdf (1 of 2)\nnimbrel-report: Jones.grp: "
                "written to out/Jones.pdf (2 of 2)\n");
        }
    }

    // nimbrel answers a lone --version, --help or -h before any window; any other line names a group, whose window
    // cannot start without a display.
    void theProgramAnswersWithoutADisplay_data()
    {
        Columns<QString, QString, QString>("line", "exit", "out");
        Row("version", "--version", "0", "nimbrel 1.0\n");
        Row("help", "--help", "0", "usage: nimbrel [GROUP.grp | --version | -h | --help]");
        Row("h", "-h", "0", "usage: nimbrel [GROUP.grp | --version | -h | --help]");
        Row("a group named like an option", "--versionx", "-1", "");
        Row("the version among others", "-h --version", "-1", "");
    }
    void theProgramAnswersWithoutADisplay()
    {
        QFETCH(QString, line);
        QFETCH(QString, exit);
        QFETCH(QString, out);
        const QStringList answer = Run(line, QDir::tempPath(), RLIM_INFINITY, NIMBREL_COMMAND);
        QCOMPARE(answer.mid(0, 2), (QStringList { exit, out }));
        QCOMPARE(answer[2].isEmpty(), exit == "0");
    }

    // A report of the batch goes only where nothing is, even when another run
    // put a file there after the check: that file is kept, and nothing is left.
    void aNewReportNeverTakesAnotherFilesPlace()
    {
        const QTemporaryDir dir;
        const QString taken = dir.filePath("taken.pdf"), open = dir.filePath("open.pdf");
        WriteBytes(taken, "another run's");
        QString refused;
        try {
            PlaceNewFile(taken, "ours");
        } catch (const UserError& failure) {
            refused = failure.Text();
        }
        PlaceNewFile(open, "ours");
        QCOMPARE(refused, "File exists");
        QCOMPARE(ReadBytes(taken), "another run's");
        QCOMPARE(ReadBytes(open), "ours");
        QCOMPARE(QDir(dir.path()).entryList({ "*.pdf*" }, QDir::Files).size(), 2);
    }
};

QTEST_MAIN(ReportCommandTest)
#include "tst_reportcommand.moc"
