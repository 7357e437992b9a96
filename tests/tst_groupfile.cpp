// The group file on its own: what any file reads as, the bytes a save writes,
// the files refused, and saving that never harms the old file.
#include "DataRows.h"
#include "OrdinaryUser.h"
#include "TestFiles.h"
#include "common/UserError.h"
#include "document/GroupFile.h"

#include <QDir>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// The rows write ' for the double quote the file is full of.
const auto Q = [](auto text) { return text.replace('\'', '"'); };

const QByteArray Head = "'VOSKImageViewer1;'\r\n", HeadLf = "'VOSKImageViewer1;'\n", HeadCr = "'VOSKImageViewer1;'\r";

// The text of what a piece of code refuses, "" when it refuses nothing.
template <class F> QString Refusal(F&& f)
{
    try {
        f();
    } catch (const UserError& error) {
        return error.Text();
    }
    return {};
}

// A file as read, on one line: the header past the right magic, each picture
// and kept line, and the pictures named when not all are read; or the refusal.
QString Read(const QByteArray& bytes)
{
    QString read;
    const QString refusal = Refusal([&] {
        const GroupFileContent content = ParseGroupFile(bytes);
        CheckMarkerCount(content, "car.grp");
        read = (content.HasValidMagic() ? QString() : content.Magic)
            + (content.HasCarValue ? ";" + content.CarValue : "");
        for (const GroupPicture& picture : content.Pictures)
            read += " | " + picture.Path + u',' + picture.Objects;
        for (const QString& line : content.KeptLines)
            read += " | kept " + line;
        if (content.NamedPictures != content.Pictures.size())
            read += QStringLiteral(" | %1 named").arg(content.NamedPictures);
    });
    return refusal.isEmpty() ? read : refusal;
}

} // namespace

class GroupFileTest : public QObject {
    Q_OBJECT

private slots:
    void reads_data()
    {
        Columns<QByteArray, QString>("file", "read");
        const QString oneField = "line %1 ends after its first field (a picture line has two)";
        Row("magic alone, after a byte order mark", QByteArray("\xef\xbb\xbf'VOSKImageViewer1'\r\n"), "");
        Row("magic in other letters", QByteArray("'voskimageviewer1;8'\r\n'/a',''\r\n"), "voskimageviewer1;8");
        Row("car value cut, unquoted, blanks", QByteArray(" VOSKImageViewer1;85;00 ,x\n /a , '1;'y\n"), ";85 | /a,1;");
        Row("LF, lone CR, blank lines, kept lines first and last", HeadLf + "'','x;,'\n  \r\n\n'/a',''\r'',''",
            "; | /a, | kept '','x;,' | kept '',''");
        Row("kept list over two lines", Head + "'','1;\r\n2;,'\r\n'/a',''\r\n", "; | /a, | kept '','1;\r\n2;,'");
        const QByteArray eight = Head + QByteArray("'/p',''\r\n").repeated(8);
        Row("8 pictures: 6 read", eight + "'',''", ";" + QString(" | /p,").repeated(6) + " | kept '','' | 8 named");
        const QByteArray half = QByteArray("1;,").repeated(16384), less = half.mid(3);
        Row("32767 markers, a kept one", Head + "'/a','" + half + "'\r\n'/b','" + less + "'\r\n'','1;,'",
            QString::fromLatin1("; | /a," + half + " | /b," + less + " | kept '','1;,'"));
        Row("32768 markers", Head + "'/a','" + half + "'\r\n'/b','" + half + "'",
            "Cannot open the group file car.grp: it holds 32768 markers, more than the 32767 a group can hold.");
        Row("UTF-8 to the last byte", Head + "/caf\xc3\xa9.jpg,T\xc3\xbc", "; | /caf\u00e9.jpg,T\u00fc");
        QByteArray high;
        for (int byte = 0x80; byte <= 0xFF; ++byte)
            high.append(char(byte));
        Row("UTF-8, then every byte past ASCII: all Windows-1252", Head + "/\xe2\x82\xac.jpg," + high,
            "; | /\u00e2\u201a\u00ac.jpg," + QStringDecoder("windows-1252").decode(high));
        Row("blank", QByteArray(" \r\n\r\n"), "the file is empty");
        Row("one field, every kind of line end", Head + "\r'/a',''\n\r\n'/b'", oneField.arg(5));
        Row("one field after six pictures and a list over two lines", eight + "'','1;\r2;,'\r'/p'\r", oneField.arg(12));
        Row("quote never closed", HeadCr + "\r'/a',''\r'/b','1;2\r", "a quoted text on line 4 is never closed");
    }
    void reads()
    {
        QFETCH(QByteArray, file);
        QTEST(Read(Q(file)).replace('"', '\''), "read");
    }

    // A file opened and saved: the bytes written, or why the save is refused
    // (a double quote cannot be stored).
    void saves_data()
    {
        Columns<QByteArray, QByteArray>("file", "saved");
        const QByteArray car = "'VOSKImageViewer1;8500'\r\n";
        Row("kept lines after the pictures as they stood, Windows-1252 as UTF-8",
            car + "'',''\r\n  , 1;2;, 'x'  \r\n'C:\\a.jpg',''\r\n'/M\xfcller','3;,'",
            car + "'C:\\a.jpg',''\r\n'/M\xc3\xbcller','3;,'\r\n'',''\r\n  , 1;2;, 'x'  \r\n");
        Row("unquoted", QByteArray("VOSKImageViewer1\n/a, 1;\n"), QByteArray("'VOSKImageViewer1;'\r\n'/a','1;'\r\n"));
        const QByteArray cannot = "contains a double quote ('), which a group file cannot hold: ";
        Row("quote in the car value", QByteArray("VOSKImageViewer1;8'5\r\n"), "The car value " + cannot + "8'5");
        Row("quote in a path", Head + "/a'.jpg,''\r\n", "A picture path " + cannot + "/a'.jpg");
        Row("quote in a list", Head + "'/a.jpg',1;'\r\n", "The markers of picture /a.jpg " + cannot + "1;'");
    }
    void saves()
    {
        QFETCH(QByteArray, file);
        const GroupFileContent content = ParseGroupFile(Q(file));
        const QString refusal
            = Refusal([&] { file = FormatGroupFile(content.CarValue, content.Pictures, content.KeptLines); });
        QTEST((refusal.isEmpty() ? file : refusal.toUtf8()).replace('"', '\''), "saved");
    }

    // A save that fails, in a folder an ordinary user may only read or past a file
    // size limit (as on a full disk), says so and leaves the old file, alone.
    void failedSaveKeepsTheOldFile_data()
    {
        Columns<bool, QString>("fullDisk", "refusal");
        Row("read-only folder", false, "Cannot save the group file %1: Permission denied.");
        Row("full disk", true, "Cannot save the group file %1: File too large.");
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(bool, fullDisk);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString path = dir.filePath("car.grp");
        WriteBytes(path, Q(Head));
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0666), 0);
        QCOMPARE(chmod(QFile::encodeName(dir.path()).constData(), fullDisk ? 0777 : 0555), 0);
        rlimit was {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &was), 0);
        const rlimit limit { fullDisk ? 16 : was.rlim_cur, was.rlim_max };
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        QString seen;
        if (OrdinaryUser user; user.Acting())
            seen = Refusal([&] { WriteGroupFile(path, "8500", { { "/b.jpg", "" } }); });
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &was), 0);
        QCOMPARE(chmod(QFile::encodeName(dir.path()).constData(), 0700), 0);
        QCOMPARE(seen, refusal.arg(path));
        QCOMPARE(ReadBytes(path), Q(Head));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "car.grp" });
    }
};

QTEST_GUILESS_MAIN(GroupFileTest)
#include "tst_groupfile.moc"
