// cmake --install into a temporary prefix puts every file where a Debian desktop looks for it.
#include "DataRows.h"
#include "TestFiles.h"
#include "app/HelpPages.h"
#include "app/ModAssociate.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

class InstallTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_prefix;

    [[nodiscard]] QString Installed(const QString& path) const { return m_prefix.filePath(path); }

private slots:
    void initTestCase()
    {
        QProcess install;
        install.start(NIMBREL_CMAKE, { "--install", NIMBREL_BUILD_DIR, "--prefix", m_prefix.path() });
        QVERIFY2(
            install.waitForFinished(120000) && install.exitCode() == 0, install.readAllStandardError().constData());
    }

    void everyFileIsInstalled_data()
    {
        Columns<QString>("path");
        for (const char* path : { "bin/nimbrel", "bin/nimbrel-report", "share/applications/org.nimbrel.Nimbrel.desktop",
                 "share/icons/hicolor/scalable/apps/nimbrel.svg", "share/metainfo/org.nimbrel.Nimbrel.metainfo.xml",
                 "share/nimbrel/help/index.html", "share/nimbrel/help/group.html", "share/nimbrel/help/markers.html",
                 "share/nimbrel/help/keys.html", "share/nimbrel/help/printing.html", "share/nimbrel/help/files.html",
                 "share/nimbrel/help/help.css", "share/man/man1/nimbrel.1.gz", "share/man/man1/nimbrel-report.1.gz",
                 "share/doc/nimbrel/copyright", "share/doc/nimbrel/changelog.gz" })
            Row(path, QString::fromLatin1(path));
    }
    void everyFileIsInstalled()
    {
        QFETCH(QString, path);
        const QFileInfo info(Installed(path));
        QVERIFY2(info.isFile() && info.size() > 0, qPrintable(info.filePath()));
        QCOMPARE(info.isExecutable(), path.startsWith("bin/")); // the programs only
    }

    // Drawn at their sizes: the tile's corner is clear, its middle is not.
    void iconsHaveTheirSizes_data()
    {
        Columns<int>("size");
        Row("48", 48);
        Row("256", 256);
    }
    void iconsHaveTheirSizes()
    {
        QFETCH(int, size);
        const QImage icon(Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/nimbrel.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }

    // The entry starts the program from the PATH, the type is the one the
    // program registers, the program finds its help, the report command runs.
    void installedFilesAreThoseTheProgramUses()
    {
        QCOMPARE(ReadBytes(Installed("share/applications/" + DesktopFileId)), DesktopEntry("nimbrel").toUtf8());
        QCOMPARE(ReadBytes(Installed("share/mime/packages/nimbrel.xml")), MimeTypeXml().toUtf8());
        QCOMPARE(HelpIndex(Installed("bin")), QUrl::fromLocalFile(Installed("share/nimbrel/help/index.html")));
        QProcess report;
        report.setEnvironment(QProcess::systemEnvironment() << "ASAN_OPTIONS=detect_leaks=0");
        report.start(Installed("bin/nimbrel-report"), { "--help" });
        QVERIFY(report.waitForFinished(60000) && report.exitCode() == 0);
        QVERIFY(report.readAllStandardOutput().startsWith("usage: nimbrel-report GROUP.grp -o REPORT.pdf"));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
