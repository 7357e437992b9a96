// The group file on its own: the bytes written, the header and picture lines
// read back, damaged files, and saving that never harms the old file.
#include "DataRows.h"
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
    void writesTheExactBytes_data()
    {
        Columns<QString, QList<GroupPicture>, QStringList, QByteArray>("carValue", "pictures", "keptLines", "bytes");
        Row("two pictures", "8500", TwoPictures, QStringList {},
            QByteArray("\"VOSKImageViewer1;8500\"\r\n"
                       "\"C:\\photos\\front.jpg\",\"\"\r\n"
                       "\"C:\\photos\\rear.jpg\",\"3;12.5;4.166667;38.09524;41.17647;3;250;12/05/2005;left door,"
                       "10;50;7.5;38.09524;41.17647;10;,\"\r\n"));
        Row("no pictures", "", QList<GroupPicture> {}, QStringList {}, QByteArray("\"VOSKImageViewer1;\"\r\n"));
        Row("kept lines after the pictures", "8500", QList<GroupPicture> { { "/a.jpg", "" } },
            QStringList { "\"\",\"1;2;2;30;30;1;100;;T\u00fcr,\"", "  ,\"\", x" },
            QByteArray("\"VOSKImageViewer1;8500\"\r\n"
                       "\"/a.jpg\",\"\"\r\n"
                       "\"\",\"1;2;2;30;30;1;100;;T\xc3\xbcr,\"\r\n"
                       "  ,\"\", x\r\n"));
        Row("UTF-8", "", QList<GroupPicture> { { "/home/j\u00fcrgen/t\u00fcr.jpg", "" } }, QStringList {},
            QByteArray("\"VOSKImageViewer1;\"\r\n\"/home/j\xc3\xbcrgen/t\xc3\xbcr.jpg\",\"\"\r\n"));
    }
    void writesTheExactBytes()
    {
        QFETCH(QString, carValue);
        QFETCH(QList<GroupPicture>, pictures);
        QFETCH(QStringList, keptLines);
        QFETCH(QByteArray, bytes);
        QCOMPARE(FormatGroupFile(carValue, pictures, keptLines), bytes);
    }

    void refusesDoubleQuotes_data()
    {
        Columns<QString, QString, QString>("carValue", "path", "objects");
        Row("car value", "85\"00", "/a.jpg", "");
        Row("path", "", "/a\".jpg", "");
        Row("objects", "", "/a.jpg", "1;2;3;4;5;1;\";;,");
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
        Columns<QByteArray, QString, bool, QString, int>("bytes", "magic", "hasCarValue", "carValue", "pictures");
        const QString magic = QStringLiteral("VOSKImageViewer1");
        Row("magic alone", QByteArray("\"VOSKImageViewer1\"\r\n"), magic, false, "", 0);
        Row("magic and semicolon", QByteArray("\"VOSKImageViewer1;\"\r\n"), magic, true, "", 0);
        Row("car value", QByteArray("\"VOSKImageViewer1;8500\"\r\n\"/a.jpg\",\"\"\r\n"), magic, true, "8500", 1);
        Row("car value cut at semicolon", QByteArray("\"VOSKImageViewer1;85;00\"\r\n"), magic, true, "85", 0);
        Row("other letter case", QByteArray("\"voskimageviewer1;8500\"\r\n\"/a.jpg\",\"\"\r\n"), "voskimageviewer1",
            true, "8500", 0);
        Row("unquoted, blanks around", QByteArray("  VOSKImageViewer1;8500  \n /a.jpg , \"\"\n"), magic, true, "8500",
            1);
        Row("no final line end", QByteArray("\"VOSKImageViewer1;1\"\r\n\"/a.jpg\",\"\""), magic, true, "1", 1);
        Row("UTF-8 byte order mark", QByteArray("\xef\xbb\xbf\"VOSKImageViewer1;7\"\r\n\"/a.jpg\",\"\"\r\n"), magic,
            true, "7", 1);
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

    // Picture lines with any line end, blank lines passed over, and lines
    // without a picture path kept.
    void readsThePictureLines_data()
    {
        Columns<QByteArray, QList<GroupPicture>, QStringList, int>("bytes", "pictures", "keptLines", "namedPictures");
        for (const auto& [name, lineEnd] :
            { std::pair("CR LF", "\r\n"), std::pair("LF", "\n"), std::pair("CR", "\r") }) {
            QTest::addRow("%s line ends", name)
                << FormatGroupFile("8500", TwoPictures).replace("\r\n", lineEnd) << TwoPictures << QStringList {} << 2;
        }
        Row("blank lines", QByteArray("\"VOSKImageViewer1;1\"\r\n\r\n\"/a.jpg\",\"1;2;3;4;5;1;,\"\r\n\r\n   \r\n"),
            QList<GroupPicture> { { "/a.jpg", "1;2;3;4;5;1;," } }, QStringList {}, 1);
        const QStringList keptRecord { "\"\",\"1;2;2;30;30;1;100;;,\"" };
        const QList<GroupPicture> justA { { "/a.jpg", "" } };
        Row("between two pictures",
            QByteArray("\"VOSKImageViewer1;\"\r\n\"/a.jpg\",\"\"\r\n\"\",\"1;2;2;30;30;1;100;;,\"\r\n"
                       "\"/b.jpg\",\"3;4;4;30;30;3;;;,\"\r\n"),
            QList<GroupPicture> { { "/a.jpg", "" }, { "/b.jpg", "3;4;4;30;30;3;;;," } }, keptRecord, 2);
        Row("first, LF line ends",
            QByteArray("\"VOSKImageViewer1;\"\n\"\",\"1;2;2;30;30;1;100;;,\"\n\"/a.jpg\",\"\"\n"), justA, keptRecord,
            1);
        Row("last, lone CR line ends, no final line end",
            QByteArray("\"VOSKImageViewer1;\"\r\"/a.jpg\",\"\"\r\"\",\"\""), justA, QStringList { "\"\",\"\"" }, 1);
        Row("unquoted, with blanks and a third field",
            QByteArray("\"VOSKImageViewer1;\"\r\n  , 1;2;2;30;30;1;;;, \"x\"  \r\n"), QList<GroupPicture> {},
            QStringList { "  , 1;2;2;30;30;1;;;, \"x\"  " }, 0);
        Row("a quoted list over two lines",
            QByteArray("\"VOSKImageViewer1;\"\r\n\"\",\"1;2;2;30;\r\n30;1;;;,\"\r\n\"/a.jpg\",\"\"\r\n"), justA,
            QStringList { "\"\",\"1;2;2;30;\r\n30;1;;;,\"" }, 1);
        Row("Windows-made", QByteArray("\"VOSKImageViewer1;\"\r\n\"\",\"1;2;2;30;30;1;100;;T\xfcr,\"\r\n"),
            QList<GroupPicture> {}, QStringList { "\"\",\"1;2;2;30;30;1;100;;T\u00fcr,\"" }, 0);
        QByteArray crowded = "\"VOSKImageViewer1;\"\r\n";
        QList<GroupPicture> six;
        for (int i = 1; i <= 8; ++i) {
            crowded += QStringLiteral("\"/p%1.jpg\",\"\"\r\n").arg(i).toUtf8();
            if (i <= 6)
                six.append({ QStringLiteral("/p%1.jpg").arg(i), "" });
            if (i == 7)
                crowded += "\"\",\"1;2;2;30;30;1;;;,\"\r\n";
        }
        Row("after the sixth picture", crowded, six, QStringList { "\"\",\"1;2;2;30;30;1;;;,\"" }, 8);
    }
    void readsThePictureLines()
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
        Columns<QByteArray, QByteArray>("bytes", "saved");
        const QByteArray afterThePicture = "\"VOSKImageViewer1;8500\"\r\n\"/a.jpg\",\"3;4;4;30;30;3;;;,\"\r\n"
                                           "\"\",\"1;2;2;30;30;1;100;;,\"\r\n";
        Row("after the picture", afterThePicture, afterThePicture);
        const QByteArray odd = "\"VOSKImageViewer1;\"\r\n\"\",\"\"\r\n  , 1;2;2;30;30;1;;;, \"x\"  \r\n";
        Row("only kept lines, one of them odd", odd, odd);
        Row("between pictures: moved after them",
            QByteArray("\"VOSKImageViewer1;1\"\r\n\"\",\"1;2;2;30;30;1;100;;,\"\r\n\"/a.jpg\",\"\"\r\n"),
            QByteArray("\"VOSKImageViewer1;1\"\r\n\"/a.jpg\",\"\"\r\n\"\",\"1;2;2;30;30;1;100;;,\"\r\n"));
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
        Columns<QList<int>, int, QString>("pictureMarkers", "keptMarkers", "problem");
        const QString tooMany = QStringLiteral("Cannot open the group file /home/ann/car.grp: it holds 32768 markers, "
                                               "more than the 32767 a group can hold.");
        Row("32767 on one picture", QList<int> { 32767 }, 0, "");
        Row("32768 on one picture", QList<int> { 32768 }, 0, tooMany);
        Row("32767 on six pictures", QList<int> { 5461, 5461, 5461, 5461, 5461, 5462 }, 0, "");
        Row("32768 on two pictures", QList<int> { 16384, 16384 }, 0, tooMany);
        Row("32767 and more on a line without a picture", QList<int> { 32767 }, 5, "");
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
        Columns<QByteArray, QString>("bytes", "problem");
        const auto oneField = [](int line) {
            return QStringLiteral("line %1 ends after its first field (a picture line has two)").arg(line);
        };
        Row("empty", QByteArray(), "the file is empty");
        Row("blank", QByteArray(" \r\n\r\n"), "the file is empty");
        Row("one field", QByteArray("\"VOSKImageViewer1;\"\r\n\"/a.jpg\",\"\"\r\n\"/b.jpg\"\r\n"), oneField(3));
        Row("one field at the end", QByteArray("\"VOSKImageViewer1;\"\r\n\"/a.jpg\""), oneField(2));
        Row("one field after the sixth picture",
            QByteArray("\"VOSKImageViewer1;\"\r\n\"/1.jpg\",\"\"\r\n\"/2.jpg\",\"\"\r\n\"/3.jpg\",\"\"\r\n"
                       "\"/4.jpg\",\"\"\r\n\"/5.jpg\",\"\"\r\n\"/6.jpg\",\"\"\r\n\"/7.jpg\",\"\"\r\n\"/8.jpg\"\r\n"),
            oneField(9));
        Row("one field, lone CR line ends", QByteArray("\"VOSKImageViewer1;\"\r\"/a.jpg\",\"\"\r\"/b.jpg\"\r"),
            oneField(3));
        Row("one field after blank lines, lone CR line ends",
            QByteArray("\"VOSKImageViewer1;\"\r\r\"/a.jpg\",\"\"\r\r\r\"/b.jpg\""), oneField(6));
        Row("one field after a list over two lines, lone CR line ends",
            QByteArray("\"VOSKImageViewer1;\"\r\"/a.jpg\",\"1;2;2;30;\r30;1;;;,\"\r\"/b.jpg\"\r"), oneField(4));
        Row("one field, every kind of line end",
            QByteArray("\"VOSKImageViewer1;\"\r\n\r\"/a.jpg\",\"\"\n\r\n\"/b.jpg\""), oneField(5));
        Row("quote never closed, lone CR line ends",
            QByteArray("\"VOSKImageViewer1;\"\r\r\"/a.jpg\",\"\"\r\"/b.jpg\",\"1;2\r"),
            "a quoted text on line 4 is never closed");
        Row("quote never closed", QByteArray("\"VOSKImageViewer1;\"\r\n\"/a.jpg\",\"1;2;3\r\n"),
            "a quoted text on line 2 is never closed");
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
