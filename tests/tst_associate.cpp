// The association of group files with the desktop: the exact files, written only when they differ, read by its tools.
#include "DataRows.h"
#include "TestFiles.h"
#include "app/ModAssociate.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <future>
#include <thread>

#include <sys/stat.h>

namespace {

const QByteArray ExpectedXml
    = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<mime-info "
      "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"application/x-vosk-document\">\n    <comment>Vosk Document</comment>\n"
      "    <sub-class-of type=\"text/plain\"/>\n    <glob pattern=\"*.grp\"/>\n  </mime-type>\n</mime-info>\n";

// The entry, "%1" for the program as its Exec key's argument; the earlier version's had no keywords.
const QString Keywords = "Keywords=vehicle;car;damage;photo;inspection;report;\n";
const QString ExpectedEntry = "[Desktop Entry]\nType=Application\nName=Nimbrel\nGenericName=Vehicle Damage Records\n"
                              "Comment=Record damage on a vehicle from photographs\nExec=%1 %f\nIcon=nimbrel\n"
                              "Terminal=false\nCategories=Graphics;Photography;\n"
    + Keywords + "MimeType=application/x-vosk-document;\n";

const QByteArray OurDefault = "[Default Applications]\napplication/x-vosk-document=org.nimbrel.Nimbrel.desktop;\n";
const QDateTime LongAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

} // namespace

class AssociateTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    // The refresh tools the last start ran, with their folders below the temporary one.
    QStringList m_runs;
    [[nodiscard]] QString Path(const QString& name) const { return m_dir.filePath(name); }

    // A start from a path, for a user whose folders are "data" and "config"; without the tools, no caches.
    void Start(const QString& program = "/usr/bin/nimbrel", bool toolsMakeCaches = true)
    {
        m_runs.clear();
        RegisterFileType(
            { Path("data"), Path("config"), program, { Path("system") } }, [&](const auto& name, const auto& in) {
                m_runs.append(name + u' ' + QString(in[0]).remove(m_dir.path()));
                if (toolsMakeCaches)
                    WriteBytes(in[0] + (name == "update-mime-database" ? "/mime.cache" : "/mimeinfo.cache"), "cache");
            });
    }

private slots:
    void init() { QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path())); }

    // A start writes each exact file only when its bytes differ, and refreshes only what changed or has no cache.
    void startWritesOnlyWhatDiffers_data()
    {
        Columns<QString, QString, QByteArray, QString, QString>("before", "program", "chosen", "runs", "rewritten");
        const QString bin = "/usr/bin/nimbrel", desktopDb = "update-desktop-database /data/applications";
        const QString both = "update-mime-database /data/mime; " + desktopDb;
        const QByteArray gedit = "[Default Applications]\napplication/x-vosk-document=org.gnome.gedit.desktop;\n";
        Row("first", "nothing", bin, QByteArray(), both, "nimbrel.xml " + DesktopFileId + " nimbrel.svg mimeapps.list");
        Row("again", "a start", bin, QByteArray(), "", "");
        Row("from a new place", "a start", "/opt/nimbrel/bin/nimbrel", QByteArray(), desktopDb, DesktopFileId);
        Row("after the user chose", "a start", bin, gedit, "", "");
        Row("after the tools were missing", "a start without tools", bin, QByteArray(), both, "");
    }
    void startWritesOnlyWhatDiffers()
    {
        QFETCH(QString, before);
        QFETCH(QString, program);
        QFETCH(QByteArray, chosen);
        QFETCH(QString, rewritten);
        if (before != "nothing")
            Start("/usr/bin/nimbrel", before == "a start");
        if (!chosen.isEmpty())
            WriteBytes(Path("config/mimeapps.list"), chosen);
        const QStringList written = { "data/mime/packages/nimbrel.xml", "data/applications/org.nimbrel.Nimbrel.desktop",
            "data/icons/hicolor/scalable/apps/nimbrel.svg", "config/mimeapps.list" };
        for (const QString& name : written)
            if (QFile file(Path(name)); file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
                QVERIFY(file.setFileTime(LongAgo, QFileDevice::FileModificationTime));
        Start(program);
        QTEST(m_runs.join(QStringLiteral("; ")), "runs");
        for (const QString& name : written)
            QCOMPARE(QFileInfo(Path(name)).lastModified() != LongAgo, rewritten.contains(QFileInfo(name).fileName()));
        QCOMPARE(ReadBytes(Path(written[0])), ExpectedXml);
        QCOMPARE(ReadBytes(Path(written[1])), ExpectedEntry.arg(program).toUtf8());
        QCOMPARE(ReadBytes(Path(written[2])), ReadBytes(":/artwork/nimbrel.svg"));
        QVERIFY(ReadBytes(Path(written[2])).startsWith("<svg"));
        QCOMPARE(ReadBytes(Path(written[3])), chosen.isEmpty() ? OurDefault : chosen);
    }

    // The program as one Exec argument: quoted for a reserved character, '"`$\' escaped, "%" doubled, then '\' again.
    void execQuotesWhatNeedsIt_data()
    {
        Columns<QString, QString>("program", "exec");
        Row("letters beyond ASCII", "/home/zoë/Åpps/nimbrel", "/home/zoë/Åpps/nimbrel");
        Row("blank", "/home/ann/My Apps/nimbrel", "\"/home/ann/My Apps/nimbrel\"");
        Row("apostrophe, brackets, ampersand", "/opt/Ann's (1)&b/nimbrel", "\"/opt/Ann's (1)&b/nimbrel\"");
        Row("quote, dollar, grave, backslash", "/opt/\"a$b`c\\d\"/n", "\"/opt/\\\\\"a\\\\$b\\\\`c\\\\\\\\d\\\\\"/n\"");
        Row("percent, bare", "/opt/100%/nimbrel", "/opt/100%%/nimbrel");
        Row("percent, quoted", "/opt/100 %/nimbrel", "\"/opt/100 %%/nimbrel\"");
        Row("tab and line break", "/opt/a\tb\nc/nimbrel", "\"/opt/a\\tb\\nc/nimbrel\"");
    }
    void execQuotesWhatNeedsIt()
    {
        QFETCH(QString, program);
        QTEST(DesktopExecProgram(program), "exec");
        QCOMPARE(DesktopEntryProgram(DesktopEntry(program).toUtf8()), program);
    }

    // Nimbrel becomes the default only where none is recorded under "[Default Applications]"; every other byte
    // of the file stays, a byte order mark, CR LF line ends and bytes that are not UTF-8 too.
    void defaultAddedOnlyWhenNoneIsRecorded_data()
    {
        Columns<QByteArray, QByteArray>("before", "after");
        const QByteArray defaults = "[Default Applications]\n";
        const QByteArray ours = "application/x-vosk-document=org.nimbrel.Nimbrel.desktop;\n";
        const QByteArray kate = "application/x-vosk-document=nimbrel.desktop;kate.desktop;\n";
        const QByteArray firefox = "text/html=firefox.desktop;\n";
        const QByteArray added = "[Added Associations]\ntext/plain=gedit.desktop;";
        Row("empty file", QByteArray(), defaults + ours);
        Row("other sections only", added + "\n", added + "\n\n" + defaults + ours);
        Row("no final line end", added, added + "\n\n" + defaults + ours);
        Row("defaults, then a section", defaults + firefox + "\n" + added, defaults + firefox + ours + "\n" + added);
        Row("another program chosen, after the earlier id", defaults + kate, defaults + kate);
        Row("recorded empty", defaults + "application/x-vosk-document= ;\n" + firefox, defaults + ours + firefox);
        Row("the type in another section", added + "\n" + kate + defaults, added + "\n" + kate + defaults + ours);
        const QByteArray windows = "\xEF\xBB\xBF[Default Applications]\r\ntext/plain=caf\xE9.desktop;\r\n";
        Row("byte order mark, CR LF, Latin-1", windows, windows + ours.chopped(1) + "\r\n");
        Row("CR LF, no final line end", QByteArray("[Default Applications]\r\na=b"),
            "[Default Applications]\r\na=b\r\n" + ours.chopped(1) + "\r\n");
        Row("CR LF, no defaults", QByteArray("[A]\r\n"),
            "[A]\r\n\r\n[Default Applications]\r\n" + ours.chopped(1) + "\r\n");
    }
    void defaultAddedOnlyWhenNoneIsRecorded()
    {
        QFETCH(QByteArray, before);
        QVERIFY(QDir().mkpath(Path("config")));
        WriteBytes(Path("config/mimeapps.list"), before);
        Start();
        QTEST(ReadBytes(Path("config/mimeapps.list")), "after");
    }

    // A folder that cannot be made (its parent is a file) and a mimeapps.list that is a folder are passed over; a
    // start never waits on, nor replaces, a FIFO in place of mimeapps.list or the desktop entry.
    void unwritablePlacesArePassedOver()
    {
        WriteBytes(Path("data"), "x");
        QVERIFY(QDir().mkpath(Path("config/mimeapps.list")));
        Start();
        QCOMPARE(m_runs, QStringList());
        QVERIFY(QFile::remove(Path("data")));
        Start();
        const QStringList fifos = { Path("config/mimeapps.list"), Path("data/applications/" + DesktopFileId) };
        QCOMPARE(ReadBytes(fifos[1]), ExpectedEntry.arg("/usr/bin/nimbrel").toUtf8());
        QVERIFY(m_runs.size() == 2 && QFileInfo(Path("config/mimeapps.list")).isDir());
        QVERIFY(QDir(fifos[0]).removeRecursively() && QFile::remove(fifos[1]));
        for (const QString& fifo : fifos)
            QCOMPARE(mkfifo(QFile::encodeName(fifo), 0600), 0);
        auto done = std::make_shared<std::promise<void>>();
        std::thread([this, done] { Start("/opt/nimbrel"), done->set_value(); }).detach();
        QVERIFY(done->get_future().wait_for(std::chrono::seconds(10)) == std::future_status::ready);
        for (const QString& fifo : fifos)
            QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    }

    // The system's entry and type for this very program: a start writes nothing for the user, removes its own copies.
    void packagedInstallLeavesNothingBehind_data()
    {
        Columns<QString, QString, QString, QString>("exec", "edited", "runs", "left");
        const QString entries = "nimbrel.desktop " + DesktopFileId, ours = DesktopFileId + " nimbrel.svg nimbrel.xml";
        const QString mime = "update-mime-database /data/mime", apps = "update-desktop-database /data/applications";
        Row("installed, our copies", "nimbrel", "", mime + "; " + apps, "");
        Row("installed, the entries edited", "~/My Apps/../My Apps/nimbrel", entries, mime, entries);
        Row("installed, all but the icon edited", "nimbrel", entries + " nimbrel.xml", "", entries + " nimbrel.xml");
        Row("installed for another program", "/usr/bin/nimbrel", "", apps, ours);
        Row("not installed, the earlier entry", "", "", apps, ours);
        Row("not installed, the earlier entry edited", "", "nimbrel.desktop", "", "nimbrel.desktop " + ours);
    }
    void packagedInstallLeavesNothingBehind()
    {
        QFETCH(QString, exec);
        QFETCH(QString, edited);
        const QString program = Path("My Apps/nimbrel");
        const QStringList files = { "data/applications/nimbrel.desktop", "data/applications/" + DesktopFileId,
            "data/icons/hicolor/scalable/apps/nimbrel.svg", "data/mime/packages/nimbrel.xml" };
        QVERIFY(QDir().mkpath(Path("system/applications")) && QDir().mkpath(Path("system/mime/packages"))
            && QDir().mkpath(Path("My Apps")) && QFile::link(QCoreApplication::applicationFilePath(), program));
        qputenv("PATH", Path("My Apps").toUtf8() + ':' + qgetenv("PATH"));
        Start(program); // then the earlier version's entry and default beside what it wrote
        WriteBytes(Path(files[0]), ExpectedEntry.arg('"' + program + '"').remove(Keywords).toUtf8());
        WriteBytes(
            Path("config/mimeapps.list"), QByteArray(OurDefault).replace("org.nimbrel.N", "n").replace("\n", "\r\n"));
        for (const QString& name : files)
            if (edited.split(' ').contains(QFileInfo(name).fileName()))
                WriteBytes(Path(name), ReadBytes(Path(name)) + "#");
        WriteBytes(Path("system/mime/packages/nimbrel.xml"), ExpectedXml);
        if (!exec.isEmpty())
            WriteBytes(
                Path("system/applications/" + DesktopFileId), DesktopEntry(exec.replace('~', m_dir.path())).toUtf8());
        Start(program);
        QTEST(m_runs.join("; "), "runs");
        QStringList left;
        for (const QString& name : files)
            left << (QFileInfo::exists(Path(name)) ? QFileInfo(name).fileName() : "");
        QTEST(left.join(' ').simplified(), "left");
        // The earlier default follows its entry only when that entry went.
        const QByteArray id = left.contains("nimbrel.desktop") ? "nimbrel.desktop" : DesktopFileId.toUtf8();
        QCOMPARE(ReadBytes(Path("config/mimeapps.list")),
            QByteArray(OurDefault).replace(DesktopFileId.toUtf8(), id).replace("\n", "\r\n"));
    }

    // The desktop's own tools read it: the type of a ".grp" file, its default, a valid entry for a path with blanks.
    void desktopToolsReadTheAssociation()
    {
        for (const char* tool : { "xdg-mime", "update-mime-database", "desktop-file-validate" })
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
        RegisterFileType({ Path("data"), Path("config"), "/home/ann/My Apps/nimbrel", {} }, RunRefreshTool);
        WriteBytes(Path("My Car ü.grp"), "\"VOSKImageViewer1;0\"\r\n");
        qputenv("XDG_DATA_HOME", Path("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", Path("config").toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP"); // the plain desktop: xdg-mime reads the databases itself
        const auto run = [](const QString& tool, const QStringList& arguments) {
            QProcess process;
            process.start(tool, arguments);
            return process.waitForFinished(20000) ? process.readAllStandardOutput().trimmed() : "(no answer)";
        };
        QCOMPARE(run("xdg-mime", { "query", "filetype", Path("My Car ü.grp") }), GroupMimeType.toUtf8());
        QCOMPARE(run("xdg-mime", { "query", "default", GroupMimeType }), DesktopFileId.toUtf8());
        QCOMPARE(run("desktop-file-validate", { Path("data/applications/org.nimbrel.Nimbrel.desktop") }), QByteArray());
    }
};

QTEST_GUILESS_MAIN(AssociateTest)
#include "tst_associate.moc"
