// cmake --install into a temporary prefix puts every file where a Debian
// desktop looks for it.
#include "TestFiles.h"
#include "app/HelpPages.h"
#include "app/ModAssociate.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class InstallTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_prefix;

    QString Installed(const QString& path) const { return m_prefix.filePath(path); }

private slots:
    void initTestCase()
    {
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(NIMBREL_CMAKE, { "--install", NIMBREL_BUILD_DIR, "--prefix", m_prefix.path() });
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    }

    void everyFileIsInstalled_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        const QStringList programs = { "bin/nimbrel", "bin/nimbrel-report" };
        for (const QString& path : programs)
            QTest::newRow(qPrintable(path)) << path << true;
        const QStringList files = { "share/applications/nimbrel.desktop", "share/mime/packages/nimbrel.xml",
            "share/icons/hicolor/scalable/apps/nimbrel.svg", "share/icons/hicolor/48x48/apps/nimbrel.png",
            "share/icons/hicolor/256x256/apps/nimbrel.png", "share/nimbrel/help/index.html",
            "share/nimbrel/help/group.html", "share/nimbrel/help/markers.html", "share/nimbrel/help/keys.html",
            "share/nimbrel/help/printing.html", "share/nimbrel/help/files.html", "share/nimbrel/help/help.css",
            "share/man/man1/nimbrel.1.gz", "share/man/man1/nimbrel-report.1.gz" };
        for (const QString& path : files)
            QTest::newRow(qPrintable(path)) << path << false;
    }
    void everyFileIsInstalled()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo info(Installed(path));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        QVERIFY(info.size() > 0);
        QCOMPARE(info.isExecutable(), executable);
    }

    // The installed entry starts the program from the PATH; the type is the
    // one the program registers for its user.
    void entryAndTypeAreThoseTheProgramRegisters()
    {
        QCOMPARE(ReadBytes(Installed("share/applications/nimbrel.desktop")), DesktopEntry("nimbrel").toUtf8());
        QVERIFY(DesktopEntry("nimbrel").contains("\nExec=nimbrel %f\n"));
        QCOMPARE(ReadBytes(Installed("share/mime/packages/nimbrel.xml")), MimeTypeXml().toUtf8());
    }

    void iconsHaveTheirSizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("48") << 48;
        QTest::newRow("256") << 256;
    }
    void iconsHaveTheirSizes()
    {
        QFETCH(int, size);
        const QImage icon(Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/nimbrel.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
        // Drawn, not blank: the tile's corner is clear, its middle is not.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }

    void installedProgramFindsItsHelp()
    {
        QCOMPARE(HelpIndex(Installed("bin")), QUrl::fromLocalFile(Installed("share/nimbrel/help/index.html")));
    }

    void installedReportCommandRuns()
    {
        QProcess report;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        report.setProcessEnvironment(environment);
        report.start(Installed("bin/nimbrel-report"), { "--help" });
        QVERIFY(report.waitForFinished(60000));
        QCOMPARE(report.exitCode(), 0);
        QVERIFY(report.readAllStandardOutput().startsWith("usage: nimbrel-report GROUP.grp -o REPORT.pdf"));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
