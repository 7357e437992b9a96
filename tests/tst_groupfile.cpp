// The group file on its own: the bytes written, the header and picture lines
// read back, damaged files, and saving that never harms the old file.
#include "TestFiles.h"
#include "common/UserError.h"
#include "document/GroupFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QList<GroupPicture> TwoPictures = {
    { "C:\\photos\\front.jpg", "" },
    { "C:\\photos\\rear.jpg",
        "3;12.5;4.166667;38.09524;41.17647;3;250;12/05/2005;left door,10;50;7.5;38.09524;"
        "41.17647;10;," },
};

QString ParseError(const QByteArray& bytes)
{
    try {
        (void)ParseGroupFile(bytes);
    } catch (const UserError& error) {
        return error.Text();
    }
    return QStringLiteral("no error");
}

// Runs a piece of code as an unprivileged user when the tests run as root,
// so that a read-only folder is read-only for it too.
template <typename F> void AsOrdinaryUser(F&& f)
{
    const bool root = geteuid() == 0;
    if (root)
        QVERIFY(seteuid(65534) == 0);
    f();
    if (root)
        QVERIFY(seteuid(0) == 0);
}

} // namespace

Q_DECLARE_METATYPE(GroupPicture)

class GroupFileTest : public QObject {
    Q_OBJECT

private slots:
    void writesTheExactBytes()
    {
        QCOMPARE(FormatGroupFile("8500", TwoPictures),
            QByteArray("\"VOSKImageViewer1;8500\"\r\n"
                       "\"C:\\photos\\front.jpg\",\"\"\r\n"
                       "\"C:\\photos\\rear.jpg\",\"3;12.5;4.166667;38.09524;41.17647;3;250;12/05/2005;left door,"
                       "10;50;7.5;38.09524;41.17647;10;,\"\r\n"));
        QCOMPARE(FormatGroupFile("", {}), QByteArray("\"VOSKImageViewer1;\"\r\n"));
    }

    void writesKeptLinesAfterThePictures()
    {
        QCOMPARE(
            FormatGroupFile("8500", { { "/a.jpg", "" } }, { "\"\",\"1;2;2;30;30;1;100;;T\u00fcr,\"", "  ,\"\", x" }),
            QByteArray("\"VOSKImageViewer1;8500\"\r\n"
                       "\"/a.jpg\",\"\"\r\n"
                       "\"\",\"1;2;2;30;30;1;100;;T\xc3\xbcr,\"\r\n"
                       "  ,\"\", x\r\n"));
    }

    void writesUtf8()
    {
        QCOMPARE(FormatGroupFile("", { { "/home/j\u00fcrgen/t\u00fcr.jpg", "" } }),
            QByteArray("\"VOSKImageViewer1;\"\r\n\"/home/j\xc3\xbcrgen/t\xc3\xbcr.jpg\",\"\"\r\n"));
    }

    void refusesDoubleQuotes_data()
    {
        QTest::addColumn<QString>("carValue");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("objects");
        QTest::newRow("car value") << "85\"00"
                                   << "/a.jpg"
                                   << "";
        QTest::newRow("path") << ""
                              << "/a\".jpg"
                              << "";
        QTest::newRow("objects") << ""
                                 << "/a.jpg"
                                 << "1;2;3;4;5;1;\";;,";
    }
    void refusesDoubleQuotes()
    {
        QFETCH(QString, carValue);
        QFETCH(QString, path);
        QFETCH(QString, objects);
        QVERIFY_THROWS_EXCEPTION(UserError, (void)FormatGroupFile(carValue, { { path, objects } }));
    }

    void readsTheHeader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("magic");
        QTest::addColumn<bool>("hasCarValue");
        QTest::addColumn<QString>("carValue");
        QTest::addColumn<int>("pictures");
        QTest::newRow("magic alone") << QByteArray("\"VOSKImageViewer1\"\r\n") << "VOSKImageViewer1" << false << ""
                                     << 0;
        QTest::newRow("magic and semicolon")
            << QByteArray("\"VOSKImageViewer1;\"\r\n") << "VOSKImageViewer1" << true << "" << 0;
        QTest::newRow("car value") << QByteArray("\"VOSKImageViewer1;8500\"\r\n\"/a.jpg\",\"\"\r\n")
                                   << "VOSKImageViewer1" << true << "8500" << 1;
        QTest::newRow("car value cut at semicolon")
            << QByteArray("\"VOSKImageViewer1;85;00\"\r\n") << "VOSKImageViewer1" << true << "85" << 0;
        QTest::newRow("other letter case") << QByteArray("\"voskimageviewer1;8500\"\r\n\"/a.jpg\",\"\"\r\n")
                                           << "voskimageviewer1" << true << "8500" << 0;
        QTest::newRow("unquoted, blanks around")
            << QByteArray("  VOSKImageViewer1;8500  \n /a.jpg , \"\"\n") << "VOSKImageViewer1" << true << "8500" << 1;
        QTest::newRow("no final line end")
            << QByteArray("\"VOSKImageViewer1;1\"\r\n\"/a.jpg\",\"\"") << "VOSKImageViewer1" << true << "1" << 1;
        QTest::newRow("UTF-8 byte order mark")
            << QByteArray("\xef\xbb\xbf\"VOSKImageViewer1;7\"\r\n\"/a.jpg\",\"\"\r\n") << "VOSKImageViewer1" << true
            << "7" << 1;
    }
    void readsTheHeader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, magic);
        QFETCH(bool, hasCarValue);
        QFETCH(QString, carValue);
        QFETCH(int, pictures);
        const GroupFileContent content = ParseGroupFile(bytes);
        QCOMPARE(content.Magic, magic);
        QCOMPARE(content.HasCarValue, hasCarValue);
        QCOMPARE(content.CarValue, carValue);
        QCOMPARE(content.Pictures.size(), pictures);
    }

    void readsPictureLinesWithAnyLineEnd_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void readsPictureLinesWithAnyLineEnd()
    {
        QFETCH(QByteArray, lineEnd);
        QByteArray bytes = FormatGroupFile("8500", TwoPictures);
        bytes.replace("\r\n", lineEnd);
        const GroupFileContent content = ParseGroupFile(bytes);
        QCOMPARE(content.Pictures, TwoPictures);
        QCOMPARE(content.NamedPictures, 2);
        QCOMPARE(content.KeptLines, QStringList());
    }

    void passesBlankLines()
    {
        const GroupFileContent content
            = ParseGroupFile("\"VOSKImageViewer1;1\"\r\n\r\n\"/a.jpg\",\"1;2;3;4;5;1;,\"\r\n\r\n   \r\n");
        QCOMPARE(content.Pictures, (QList<GroupPicture> { { "/a.jpg", "1;2;3;4;5;1;," } }));
    }

    void stopsAfterSixPictures()
    {
        QByteArray bytes = "\"VOSKImageViewer1;\"\r\n";
        for (int i = 1; i <= 7; ++i)
            bytes += QStringLiteral("\"/p%1.jpg\",\"\"\r\n").arg(i).toUtf8();
        const GroupFileContent content = ParseGroupFile(bytes);
        QCOMPARE(content.Pictures.size(), 6);
        QCOMPARE(content.Pictures.last().Path, QStringLiteral("/p6.jpg"));
        QCOMPARE(content.NamedPictures, 7);
    }

    void keepsLinesWithoutAPicturePath_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<GroupPicture>>("pictures");
        QTest::addColumn<QStringList>("keptLines");
        QTest::addColumn<int>("namedPictures");
        QTest::newRow("between two pictures")
            << QByteArray("\"VOSKImageViewer1;\"\r\n\"/a.jpg\",\"\"\r\n\"\",\"1;2;2;30;30;1;100;;,\"\r\n"
                          "\"/b.jpg\",\"3;4;4;30;30;3;;;,\"\r\n")
            << QList<GroupPicture> { { "/a.jpg", "" }, { "/b.jpg", "3;4;4;30;30;3;;;," } }
            << QStringList { "\"\",\"1;2;2;30;30;1;100;;,\"" } << 2;
        QTest::newRow("first, LF line ends")
            << QByteArray("\"VOSKImageViewer1;\"\n\"\",\"1;2;2;30;30;1;100;;,\"\n\"/a.jpg\",\"\"\n")
            << QList<GroupPicture> { { "/a.jpg", "" } } << QStringList { "\"\",\"1;2;2;30;30;1;100;;,\"" } << 1;
        QTest::newRow("last, lone CR line ends, no final line end")
            << QByteArray("\"VOSKImageViewer1;\"\r\"/a.jpg\",\"\"\r\"\",\"\"")
            << QList<GroupPicture> { { "/a.jpg", "" } } << QStringList { "\"\",\"\"" } << 1;
        QTest::newRow("unquoted, with blanks and a third field")
            << QByteArray("\"VOSKImageViewer1;\"\r\n  , 1;2;2;30;30;1;;;, \"x\"  \r\n") << QList<GroupPicture> {}
            << QStringList { "  , 1;2;2;30;30;1;;;, \"x\"  " } << 0;
        QTest::newRow("a quoted list over two lines")
            << QByteArray("\"VOSKImageViewer1;\"\r\n\"\",\"1;2;2;30;\r\n30;1;;;,\"\r\n\"/a.jpg\",\"\"\r\n")
            << QList<GroupPicture> { { "/a.jpg", "" } } << QStringList { "\"\",\"1;2;2;30;\r\n30;1;;;,\"" } << 1;
        QTest::newRow("Windows-made") << QByteArray("\"VOSKImageViewer1;\"\r\n\"\",\"1;2;2;30;30;1;100;;T\xfcr,\"\r\n")
                                      << QList<GroupPicture> {}
                                      << QStringList { "\"\",\"1;2;2;30;30;1;100;;T\u00fcr,\"" } << 0;
        QByteArray crowded = "\"VOSKImageViewer1;\"\r\n";
        QList<GroupPicture> six;
        for (int i = 1; i <= 8; ++i) {
            crowded += QStringLiteral("\"/p%1.jpg\",\"\"\r\n").arg(i).toUtf8();
            if (i <= 6)
                six.append({ QStringLiteral("/p%1.jpg").arg(i), "" });
            if (i == 7)
                crowded += "\"\",\"1;2;2;30;30;1;;;,\"\r\n";
        }
        QTest::newRow("after the sixth picture") << crowded << six << QStringList { "\"\",\"1;2;2;30;30;1;;;,\"" } << 8;
    }
    void keepsLinesWithoutAPicturePath()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<GroupPicture>, pictures);
        QFETCH(QStringList, keptLines);
        QFETCH(int, namedPictures);
        const GroupFileContent content = ParseGroupFile(bytes);
        QCOMPARE(content.Pictures, pictures);
        QCOMPARE(content.KeptLines, keptLines);
        QCOMPARE(content.NamedPictures, namedPictures);
    }

    void keptLinesAreSavedAsTheyStood_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray afterThePicture = "\"VOSKImageViewer1;8500\"\r\n\"/a.jpg\",\"3;4;4;30;30;3;;;,\"\r\n"
                                           "\"\",\"1;2;2;30;30;1;100;;,\"\r\n";
        QTest::newRow("after the picture") << afterThePicture << afterThePicture;
        const QByteArray odd = "\"VOSKImageViewer1;\"\r\n\"\",\"\"\r\n  , 1;2;2;30;30;1;;;, \"x\"  \r\n";
        QTest::newRow("only kept lines, one of them odd") << odd << odd;
        QTest::newRow("between pictures: moved after them")
            << QByteArray("\"VOSKImageViewer1;1\"\r\n\"\",\"1;2;2;30;30;1;100;;,\"\r\n\"/a.jpg\",\"\"\r\n")
            << QByteArray("\"VOSKImageViewer1;1\"\r\n\"/a.jpg\",\"\"\r\n\"\",\"1;2;2;30;30;1;100;;,\"\r\n");
    }
    void keptLinesAreSavedAsTheyStood()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("car.grp");
        WriteBytes(path, bytes);
        GroupFileContent content = ReadGroupFile(path);
        WriteGroupFile(path, content.CarValue, content.Pictures, content.KeptLines);
        QCOMPARE(ReadBytes(path), saved);
        // What is saved once opens and saves again byte for byte.
        content = ReadGroupFile(path);
        WriteGroupFile(path, content.CarValue, content.Pictures, content.KeptLines);
        QCOMPARE(ReadBytes(path), saved);
    }

    // A group's marker numbers are 16-bit: 32767 markers open, one more is
    // refused. Markers on lines without a picture are not the group's.
    void checksTheMarkerCount_data()
    {
        QTest::addColumn<QList<int>>("pictureMarkers");
        QTest::addColumn<int>("keptMarkers");
        QTest::addColumn<QString>("problem");
        const QString tooMany = QStringLiteral("Cannot open the group file /home/ann/car.grp: it holds 32768 markers, "
                                               "more than the 32767 a group can hold.");
        QTest::newRow("32767 on one picture") << QList<int> { 32767 } << 0 << "";
        QTest::newRow("32768 on one picture") << QList<int> { 32768 } << 0 << tooMany;
        QTest::newRow("32767 on six pictures") << QList<int> { 5461, 5461, 5461, 5461, 5461, 5462 } << 0 << "";
        QTest::newRow("32768 on two pictures") << QList<int> { 16384, 16384 } << 0 << tooMany;
        QTest::newRow("32767 and more on a line without a picture") << QList<int> { 32767 } << 5 << "";
    }
    void checksTheMarkerCount()
    {
        QFETCH(QList<int>, pictureMarkers);
        QFETCH(int, keptMarkers);
        QFETCH(QString, problem);
        const QString record = QStringLiteral("1;2;2;30;30;1;;;,");
        QByteArray bytes = "\"VOSKImageViewer1;\"\r\n";
        for (int i = 0; i < pictureMarkers.size(); ++i)
            bytes += QStringLiteral("\"/p%1.jpg\",\"%2\"\r\n").arg(i).arg(record.repeated(pictureMarkers[i])).toUtf8();
        bytes += QStringLiteral("\"\",\"%1\"\r\n").arg(record.repeated(keptMarkers)).toUtf8();
        QString seen;
        try {
            CheckMarkerCount(ParseGroupFile(bytes), QStringLiteral("/home/ann/car.grp"));
        } catch (const UserError& error) {
            seen = error.Text();
        }
        QCOMPARE(seen, problem);
    }

    void reportsDamage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty") << QByteArray() << "the file is empty";
        QTest::newRow("blank") << QByteArray(" \r\n\r\n") << "the file is empty";
        QTest::newRow("one field") << QByteArray("\"VOSKImageViewer1;\"\r\n\"/a.jpg\",\"\"\r\n\"/b.jpg\"\r\n")
                                   << "line 3 ends after its first field (a picture line has two)";
        QTest::newRow("one field at the end") << QByteArray("\"VOSKImageViewer1;\"\r\n\"/a.jpg\"")
                                              << "line 2 ends after its first field (a picture line has two)";
        QTest::newRow("one field after the sixth picture")
            << QByteArray("\"VOSKImageViewer1;\"\r\n\"/1.jpg\",\"\"\r\n\"/2.jpg\",\"\"\r\n\"/3.jpg\",\"\"\r\n"
                          "\"/4.jpg\",\"\"\r\n\"/5.jpg\",\"\"\r\n\"/6.jpg\",\"\"\r\n\"/7.jpg\",\"\"\r\n\"/8.jpg\"\r\n")
            << "line 9 ends after its first field (a picture line has two)";
        QTest::newRow("one field, lone CR line ends")
            << QByteArray("\"VOSKImageViewer1;\"\r\"/a.jpg\",\"\"\r\"/b.jpg\"\r")
            << "line 3 ends after its first field (a picture line has two)";
        QTest::newRow("one field after blank lines, lone CR line ends")
            << QByteArray("\"VOSKImageViewer1;\"\r\r\"/a.jpg\",\"\"\r\r\r\"/b.jpg\"")
            << "line 6 ends after its first field (a picture line has two)";
        QTest::newRow("one field after a list over two lines, lone CR line ends")
            << QByteArray("\"VOSKImageViewer1;\"\r\"/a.jpg\",\"1;2;2;30;\r30;1;;;,\"\r\"/b.jpg\"\r")
            << "line 4 ends after its first field (a picture line has two)";
        QTest::newRow("one field, every kind of line end")
            << QByteArray("\"VOSKImageViewer1;\"\r\n\r\"/a.jpg\",\"\"\n\r\n\"/b.jpg\"")
            << "line 5 ends after its first field (a picture line has two)";
        QTest::newRow("quote never closed, lone CR line ends")
            << QByteArray("\"VOSKImageViewer1;\"\r\r\"/a.jpg\",\"\"\r\"/b.jpg\",\"1;2\r")
            << "a quoted text on line 4 is never closed";
        QTest::newRow("quote never closed") << QByteArray("\"VOSKImageViewer1;\"\r\n\"/a.jpg\",\"1;2;3\r\n")
                                            << "a quoted text on line 2 is never closed";
    }
    void reportsDamage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QCOMPARE(ParseError(bytes), problem);
    }

    void readsAWindowsMadeFile()
    {
        const GroupFileContent content = ReadGroupFile(QStringLiteral(NIMBREL_TEST_DATA "/windows-made.grp"));
        QCOMPARE(content.CarValue, QStringLiteral("12500"));
        QCOMPARE(content.Pictures.size(), 3);
        QCOMPARE(content.Pictures[0].Path, QStringLiteral("C:\\Fotos\\M\u00fcller front.jpg"));
        QCOMPARE(content.Pictures[0].Objects,
            QStringLiteral("3;12.5;4.166667;38.09524;41.17647;3;250;12/05/2005;Kratzer T\u00fcr,"
                           "10;50;7.5;38.09524;41.17647;10;,"));
        QCOMPARE(
            content.Pictures[2].Objects, QStringLiteral("1;3.2;2.9;30.1;28.2;1;1000.50;01/02/2006;Delle 80\u20ac,"));
    }

    void roundTripIsByteIdentical()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Smith-Sedan.grp");
        WriteGroupFile(path, "8500", TwoPictures);
        const QByteArray first = ReadBytes(path);
        const GroupFileContent content = ReadGroupFile(path);
        WriteGroupFile(path, content.CarValue, content.Pictures);
        QCOMPARE(ReadBytes(path), first);
    }

    void neverReadsAPipe()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("pipe.grp");
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        try {
            (void)ReadGroupFile(path);
            QFAIL("a pipe was read");
        } catch (const UserError& error) {
            QCOMPARE(
                error.Text(), QStringLiteral("Cannot open the group file %1: it is not a regular file.").arg(path));
        }
    }

    void failedWriteIntoReadOnlyFolderKeepsTheOldFile()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(
            dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        const QString folder = dir.filePath("locked");
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + "/car.grp";
        WriteBytes(path, "old bytes");
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        QString message;
        AsOrdinaryUser([&] {
            try {
                WriteGroupFile(path, "8500", TwoPictures);
            } catch (const UserError& error) {
                message = error.Text();
            }
        });
        QVERIFY2(message.startsWith(QStringLiteral("Cannot save the group file %1: ").arg(path)), qPrintable(message));
        QCOMPARE(ReadBytes(path), QByteArray("old bytes"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList { "car.grp" });
    }

    void failedWriteOnFullDiskKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("car.grp");
        WriteBytes(path, "old bytes");
        // A file size limit makes every write past it fail, as a full disk does.
        rlimit old {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = old;
        tight.rlim_cur = 16;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        QString message;
        try {
            WriteGroupFile(path, "8500", TwoPictures);
        } catch (const UserError& error) {
            message = error.Text();
        }
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY2(message.startsWith(QStringLiteral("Cannot save the group file %1: ").arg(path)), qPrintable(message));
        QCOMPARE(ReadBytes(path), QByteArray("old bytes"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "car.grp" });
    }
};

QTEST_GUILESS_MAIN(GroupFileTest)
#include "tst_groupfile.moc"
