// The association of group files with the desktop: the exact files written
// for the user, a second start that changes nothing, a default chosen by the
// user left alone, folders that cannot be written, and the desktop's own
// tools reading the result.
#include "TestFiles.h"
#include "app/CommandLine.h"
#include "app/ModAssociate.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray ExpectedXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                               "  <mime-type type=\"application/x-vosk-document\">\n"
                               "    <comment>Vosk Document</comment>\n"
                               "    <sub-class-of type=\"text/plain\"/>\n"
                               "    <glob pattern=\"*.grp\"/>\n"
                               "  </mime-type>\n"
                               "</mime-info>\n";

QByteArray ExpectedEntry(const QByteArray& exec)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Nimbrel\n"
           "GenericName=Vehicle Damage Records\n"
           "Comment=Record damage on a vehicle from photographs\n"
           "Exec="
        + exec
        + " %f\n"
          "Icon=nimbrel\n"
          "Terminal=false\n"
          "Categories=Graphics;Photography;\n"
          "MimeType=application/x-vosk-document;\n";
}

// The arguments of an Exec value with %f given a file, read the way the
// desktop-entry rules tell a launcher to: first the string escapes
// of the value, then the quoting of each argument, then the field codes.
QStringList LaunchArguments(const QString& exec, const QString& file)
{
    QString value;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == u'\\' && i + 1 < exec.size()) {
            const QChar next = exec[++i];
            value += next == u's' ? u' ' : next == u'n' ? u'\n' : next == u't' ? u'\t' : next == u'r' ? u'\r' : next;
        } else {
            value += exec[i];
        }
    }
    QStringList arguments;
    QString current;
    bool inQuotes = false;
    bool started = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (inQuotes) {
            if (c == u'\\' && i + 1 < value.size() && QStringLiteral("\"`$\\").contains(value[i + 1]))
                current += value[++i];
            else if (c == u'"')
                inQuotes = false;
            else
                current += c;
        } else if (c == u'"') {
            inQuotes = started = true;
        } else if (c == u' ') {
            if (started)
                arguments.append(current);
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments.append(current);
    for (QString& argument : arguments) {
        if (argument == QStringLiteral("%f"))
            argument = file;
        else
            argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
    }
    return arguments;
}

// The Exec value of a desktop entry.
QString ExecOf(const QByteArray& entry)
{
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    }
    return {};
}

// A refresh tool as the association asks for it, and the cache it makes.
struct FakeTools {
    QStringList Runs;
    ToolRunner Runner()
    {
        return [this](const QString& tool, const QStringList& arguments) {
            Runs.append(tool + u' ' + arguments.join(u' '));
            const QString cache = tool == QStringLiteral("update-mime-database") ? QStringLiteral("/mime.cache")
                                                                                 : QStringLiteral("/mimeinfo.cache");
            WriteBytes(arguments.constFirst() + cache, "cache");
        };
    }
};

const QDateTime LongAgo = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

void SetLongAgo(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(LongAgo, QFileDevice::FileModificationTime));
}

} // namespace

class AssociateTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FakeTools m_tools;

    AssociationPlaces Places(const QString& program = QStringLiteral("/usr/bin/nimbrel")) const
    {
        return { m_dir.filePath("data"), m_dir.filePath("config"), program };
    }
    QString Data(const QString& name) const { return m_dir.filePath("data/" + name); }
    QString Config(const QString& name) const { return m_dir.filePath("config/" + name); }

    // Every file the association writes.
    QStringList Written() const
    {
        return { Data("mime/packages/nimbrel.xml"), Data("applications/nimbrel.desktop"),
            Data("icons/hicolor/scalable/apps/nimbrel.svg"), Config("mimeapps.list") };
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_tools = {};
    }

    void writesTheExactFiles()
    {
        RegisterFileType(Places(), m_tools.Runner());
        QCOMPARE(ReadBytes(Data("mime/packages/nimbrel.xml")), ExpectedXml);
        QCOMPARE(ReadBytes(Data("applications/nimbrel.desktop")), ExpectedEntry("/usr/bin/nimbrel"));
        QCOMPARE(ReadBytes(Config("mimeapps.list")),
            QByteArray("[Default Applications]\napplication/x-vosk-document=nimbrel.desktop;\n"));
        QFile icon(":/artwork/nimbrel.svg");
        QVERIFY(icon.open(QIODevice::ReadOnly));
        QCOMPARE(ReadBytes(Data("icons/hicolor/scalable/apps/nimbrel.svg")), icon.readAll());
        QCOMPARE(m_tools.Runs,
            QStringList({ "update-mime-database " + Data("mime"), "update-desktop-database " + Data("applications") }));
    }

    void secondStartChangesNothing()
    {
        RegisterFileType(Places(), m_tools.Runner());
        QList<QByteArray> before;
        for (const QString& path : Written()) {
            before.append(ReadBytes(path));
            SetLongAgo(path);
        }
        m_tools.Runs.clear();
        RegisterFileType(Places(), m_tools.Runner());
        for (qsizetype i = 0; i < Written().size(); ++i) {
            QCOMPARE(ReadBytes(Written()[i]), before[i]);
            QCOMPARE(QFileInfo(Written()[i]).lastModified().toUTC(), LongAgo);
        }
        QCOMPARE(m_tools.Runs, QStringList());
    }

    // A tool missing at one start leaves no cache: the next start refreshes,
    // though every file is already right.
    void missingCacheIsRefreshed()
    {
        RegisterFileType(Places(), [](const QString&, const QStringList&) {});
        RegisterFileType(Places(), m_tools.Runner());
        QCOMPARE(m_tools.Runs.size(), 2);
    }

    void movedProgramRewritesOnlyTheEntry()
    {
        RegisterFileType(Places(), m_tools.Runner());
        SetLongAgo(Data("mime/packages/nimbrel.xml"));
        m_tools.Runs.clear();
        RegisterFileType(Places("/opt/nimbrel/bin/nimbrel"), m_tools.Runner());
        QCOMPARE(ReadBytes(Data("applications/nimbrel.desktop")), ExpectedEntry("/opt/nimbrel/bin/nimbrel"));
        QCOMPARE(QFileInfo(Data("mime/packages/nimbrel.xml")).lastModified().toUTC(), LongAgo);
        QCOMPARE(m_tools.Runs, QStringList({ "update-desktop-database " + Data("applications") }));
    }

    void execQuotesWhatNeedsIt_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/usr/bin/nimbrel"
                               << "/usr/bin/nimbrel";
        QTest::newRow("letters beyond ASCII") << "/home/zoë/Åpps/nimbrel"
                                              << "/home/zoë/Åpps/nimbrel";
        QTest::newRow("blank") << "/home/ann/My Apps/nimbrel"
                               << "\"/home/ann/My Apps/nimbrel\"";
        QTest::newRow("single quote") << "/home/ann/Ann's/nimbrel"
                                      << "\"/home/ann/Ann's/nimbrel\"";
        QTest::newRow("double quote") << "/opt/\"x\"/nimbrel"
                                      << "\"/opt/\\\\\"x\\\\\"/nimbrel\"";
        QTest::newRow("dollar") << "/opt/a$b/nimbrel"
                                << "\"/opt/a\\\\$b/nimbrel\"";
        QTest::newRow("backslash") << "/opt/a\\b/nimbrel"
                                   << "\"/opt/a\\\\\\\\b/nimbrel\"";
        QTest::newRow("grave accent") << "/opt/a`b/nimbrel"
                                      << "\"/opt/a\\\\`b/nimbrel\"";
        QTest::newRow("percent, bare") << "/opt/100%/nimbrel"
                                       << "/opt/100%%/nimbrel";
        QTest::newRow("percent, quoted") << "/opt/100 %/nimbrel"
                                         << "\"/opt/100 %%/nimbrel\"";
        QTest::newRow("brackets and ampersand") << "/opt/a(1)&b/nimbrel"
                                                << "\"/opt/a(1)&b/nimbrel\"";
        QTest::newRow("tab") << "/opt/a\tb/nimbrel"
                             << "\"/opt/a\\tb/nimbrel\"";
    }
    void execQuotesWhatNeedsIt()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(DesktopExecProgram(program), exec);
        QCOMPARE(ExecOf(DesktopEntry(program).toUtf8()), exec + " %f");
    }

    // Read back as a launcher reads it, the entry starts this very program
    // with the file whole as its one argument, which the start-up takes as
    // the group to open.
    void launcherGetsProgramAndFileWhole_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "/usr/bin/nimbrel"
                               << "/home/ann/cars/Smith-Sedan.grp";
        QTest::newRow("blanks") << "/home/ann/My Apps/nimbrel"
                                << "/home/ann/My Cars/Smith Sedan.grp";
        QTest::newRow("letters beyond ASCII") << "/home/zoë/nimbrel"
                                              << "/home/zoë/Autos/Müller-Käfer.grp";
        QTest::newRow("every reserved character") << "/opt/ \"'\\><~|&;$*?#`()%/nimbrel"
                                                  << "/tmp/a b.grp";
    }
    void launcherGetsProgramAndFileWhole()
    {
        QFETCH(QString, program);
        QFETCH(QString, file);
        RegisterFileType(Places(program), m_tools.Runner());
        const QStringList arguments = LaunchArguments(ExecOf(ReadBytes(Data("applications/nimbrel.desktop"))), file);
        QCOMPARE(arguments, QStringList({ program, file }));
        QCOMPARE(CommandLinePath(arguments.mid(1)), file);
    }

    void defaultAddedOnlyWhenNoneIsRecorded_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const QString line = "application/x-vosk-document=nimbrel.desktop;";
        QTest::newRow("empty file") << ""
                                    << "[Default Applications]\n" + line + "\n";
        QTest::newRow("other sections only")
            << "[Added Associations]\ntext/plain=gedit.desktop;\n"
            << "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + line + "\n";
        QTest::newRow("no final line end")
            << "[Added Associations]\ntext/plain=gedit.desktop;"
            << "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + line + "\n";
        QTest::newRow("other defaults, then a section")
            << "[Default Applications]\ntext/html=firefox.desktop;\n\n[Added Associations]\nimage/png=gimp.desktop;\n"
            << "[Default Applications]\ntext/html=firefox.desktop;\n" + line
                + "\n\n[Added Associations]\nimage/png=gimp.desktop;\n";
        QTest::newRow("other program chosen")
            << "[Default Applications]\napplication/x-vosk-document=org.gnome.gedit.desktop;\n"
            << "[Default Applications]\napplication/x-vosk-document=org.gnome.gedit.desktop;\n";
        QTest::newRow("other program first, Nimbrel after")
            << "[Default Applications]\napplication/x-vosk-document=kate.desktop;nimbrel.desktop;\n"
            << "[Default Applications]\napplication/x-vosk-document=kate.desktop;nimbrel.desktop;\n";
        QTest::newRow("Nimbrel already") << "[Default Applications]\n" + line + "\n"
                                         << "[Default Applications]\n" + line + "\n";
        QTest::newRow("recorded empty")
            << "[Default Applications]\napplication/x-vosk-document=\ntext/html=firefox.desktop;\n"
            << "[Default Applications]\n" + line + "\ntext/html=firefox.desktop;\n";
        QTest::newRow("same key in another section")
            << "[Added Associations]\napplication/x-vosk-document=kate.desktop;\n[Default Applications]\n"
            << "[Added Associations]\napplication/x-vosk-document=kate.desktop;\n[Default Applications]\n" + line
                + "\n";
    }
    void defaultAddedOnlyWhenNoneIsRecorded()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(MimeAppsWithDefault(before), after);
    }

    // A default the user chose after Nimbrel registered itself stays, file
    // untouched, at every later start.
    void usersChoiceSurvivesLaterStarts()
    {
        RegisterFileType(Places(), m_tools.Runner());
        const QByteArray chosen = "[Default Applications]\napplication/x-vosk-document=org.gnome.gedit.desktop;\n";
        WriteBytes(Config("mimeapps.list"), chosen);
        SetLongAgo(Config("mimeapps.list"));
        RegisterFileType(Places(), m_tools.Runner());
        QCOMPARE(ReadBytes(Config("mimeapps.list")), chosen);
        QCOMPARE(QFileInfo(Config("mimeapps.list")).lastModified().toUTC(), LongAgo);
    }

    // Folders that cannot be made (their parent is a file: root or not) and
    // a mimeapps.list that is a folder: nothing written, nothing run,
    // nothing thrown.
    void unwritableFoldersAreIgnored()
    {
        WriteBytes(m_dir.filePath("file"), "x");
        const AssociationPlaces places { m_dir.filePath("file/data"), m_dir.filePath("file/config"),
            "/usr/bin/nimbrel" };
        RegisterFileType(places, m_tools.Runner());
        QCOMPARE(m_tools.Runs, QStringList());
        QCOMPARE(ReadBytes(m_dir.filePath("file")), QByteArray("x"));

        QVERIFY(QDir().mkpath(Config("mimeapps.list")));
        RegisterFileType(Places(), m_tools.Runner());
        QVERIFY(QFileInfo(Config("mimeapps.list")).isDir());
        QCOMPARE(ReadBytes(Data("applications/nimbrel.desktop")), ExpectedEntry("/usr/bin/nimbrel"));
    }

    void userPlacesFollowXdgFolders()
    {
        qputenv("XDG_DATA_HOME", Data("").toUtf8());
        qputenv("XDG_CONFIG_HOME", Config("").toUtf8());
        const AssociationPlaces places = UserPlaces();
        QCOMPARE(QDir::cleanPath(places.DataHome), QDir::cleanPath(Data("")));
        QCOMPARE(QDir::cleanPath(places.ConfigHome), QDir::cleanPath(Config("")));
        QCOMPARE(places.Program, QCoreApplication::applicationFilePath());
    }

    // The desktop's own tools read what was written: the type of a ".grp"
    // file, its default application, and a valid entry for a program in a
    // folder with blanks.
    void desktopToolsReadTheAssociation()
    {
        for (const char* tool : { "xdg-mime", "update-mime-database", "update-desktop-database" }) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
        }
        RegisterFileType(Places("/home/ann/My Apps/nimbrel"), RunRefreshTool);
        WriteBytes(m_dir.filePath("My Car ü.grp"), "\"VOSKImageViewer1;0\"\r\n");

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", Data(""));
        environment.insert("XDG_CONFIG_HOME", Config(""));
        // The plain desktop: xdg-mime reads the databases itself.
        environment.remove("XDG_CURRENT_DESKTOP");
        environment.remove("DESKTOP_SESSION");
        const auto query = [&](const QStringList& arguments) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start("xdg-mime", arguments);
            return process.waitForFinished(20000) ? QString::fromUtf8(process.readAllStandardOutput()).trimmed()
                                                  : QStringLiteral("(no answer)");
        };
        QCOMPARE(query({ "query", "filetype", m_dir.filePath("My Car ü.grp") }), GroupMimeType);
        QCOMPARE(query({ "query", "default", GroupMimeType }), DesktopFileId);

        if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
            QSKIP("desktop-file-validate is not installed");
        QProcess validate;
        validate.start("desktop-file-validate", { Data("applications/nimbrel.desktop") });
        QVERIFY(validate.waitForFinished(20000));
        QCOMPARE(validate.exitCode(), 0);
        QCOMPARE(validate.readAllStandardOutput(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(AssociateTest)
#include "tst_associate.moc"
