// Reading pictures: decoded at the size their box needs, turned upright, and
// files that must never hang or exhaust the program refused with a reason.
#include "DataRows.h"
#include "OrdinaryUser.h"
#include "TestFiles.h"
#include "viewport/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/stat.h>

namespace {

// How a read fails, "missing: " or "unreadable: " and the text, or "read".
QString Failure(const std::function<void()>& read)
{
    try {
        read();
    } catch (const PictureError& error) {
        return (error.GetKind() == PictureError::Kind::Missing ? "missing: " : "unreadable: ") + error.Text();
    }
    return QStringLiteral("read");
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // A PNG, a JPEG a phone turned ("turned...") or a plain JPEG, as named.
    QString Written(const QString& name, QSize stored)
    {
        const QString path = dir.filePath(name);
        if (name.endsWith(QLatin1String(".png")))
            QImage(stored, QImage::Format_RGB32).save(path);
        else if (name.startsWith(QLatin1String("turned")))
            WriteRotatedJpeg(path, stored);
        else
            WriteJpeg(path, stored, 30);
        return path;
    }

private slots:
    void initTestCase()
    {
        ConfigurePictureReading();
        // Anyone may pass through; locked are a picture, and a folder with one.
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.jpg")).constData(), 0600) == 0);
        QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
        WriteJpegDeclaring(dir.filePath("huge.jpg"), QSize(40000, 30000));
        WriteBytes(dir.filePath("text.jpg"), "this is no picture");
        QVERIFY(QDir(dir.path()).mkdir("shut"));
        for (const QString& locked : { Written("locked.jpg", QSize(64, 48)), Written("shut/car.jpg", QSize(64, 48)) })
            QVERIFY(QFile::setPermissions(locked, QFile::Permissions()));
        QVERIFY(QFile::setPermissions(dir.filePath("shut"), QFile::ReadOwner));
    }
    void cleanupTestCase()
    {
        QVERIFY(QFile::setPermissions(dir.filePath("shut"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    // Fitted into its box keeping its proportions (a thumbnail, also among
    // others at once, in the order asked), or stretched into it (a report
    // cell), a picture is decoded at that size, upright, never enlarged.
    void decodedAtItsBox_data()
    {
        Columns<QString, QSize, QSize, bool, QSize>("name", "stored", "box", "stretched", "decoded");
        Row("thumbnail of a landscape photo", "a.jpg", QSize(4000, 3000), QSize(133, 103), false, QSize(133, 99));
        Row("thumbnail of a turned photo", "turned.jpg", QSize(400, 300), QSize(133, 103), false, QSize(77, 103));
        Row("thumbnail of a PNG", "a.png", QSize(400, 300), QSize(133, 103), false, QSize(133, 99));
        Row("small picture is not enlarged", "a.jpg", QSize(60, 40), QSize(133, 103), false, QSize(60, 40));
        Row("whole turned photo", "turned.jpg", QSize(400, 300), QSize(), false, QSize(300, 400));
        Row("stretched portrait photo", "a.jpg", QSize(2000, 3000), QSize(1021, 766), true, QSize(1021, 766));
        Row("stretched turned photo", "turned.jpg", QSize(4000, 3000), QSize(1021, 766), true, QSize(1021, 766));
        Row("stretched, narrower than the box", "a.jpg", QSize(800, 2000), QSize(1021, 766), true, QSize(800, 766));
        // Far past the decoder's own allocation limit, as the viewport shows it.
        Row("a hundred megapixels, whole", "a.jpg", QSize(12000, 8400), QSize(), false, QSize(12000, 8400));
    }
    void decodedAtItsBox()
    {
        QFETCH(QString, name);
        QFETCH(QSize, stored);
        QFETCH(QSize, box);
        QFETCH(bool, stretched);
        QFETCH(QSize, decoded);
        const QString path = Written(name, stored);
        QCOMPARE(LoadPicture(path, box, stretched ? Qt::IgnoreAspectRatio : Qt::KeepAspectRatio).size(), decoded);
        QCOMPARE(ReadPictureHeader(path).Size, name.startsWith(QLatin1String("turned")) ? stored.transposed() : stored);
        QCOMPARE(ReadPictureHeader(path).DecodesReduced, name.endsWith(QLatin1String(".jpg")));
        if (!stretched) {
            const QList<LoadedPicture> together = LoadPictures({ dir.filePath("gone.jpg"), path }, box);
            QVERIFY(together.size() == 2 && together[0].Failure && together[1].Picture.size() == decoded);
        }
    }

    // Reading the size and decoding refuse alike, for an ordinary user (root
    // reads anything). A picture that is there but may not be read is no
    // missing picture: the text says why, in the system's words.
    void refusedWithAReason_data()
    {
        Columns<QString, QString>("name", "failure");
        Row("missing", "gone.jpg", "missing: Cannot read picture %1: the file does not exist");
        Row("pipe", "pipe.jpg", "unreadable: Cannot read picture %1: it is not a regular file");
        Row("folder", "folder.jpg", "unreadable: Cannot read picture %1: it is not a regular file");
        Row("huge header", "huge.jpg",
            "unreadable: Cannot read picture %1: it declares 40000 x 30000 pixels, more than the 250 megapixels "
            "this program opens");
        Row("not a picture", "text.jpg", "unreadable: Cannot read picture %1: Unsupported image format");
        Row("no read permission", "locked.jpg", "unreadable: Cannot read picture %1: Permission denied");
        Row("folder without search permission", "shut/car.jpg",
            "unreadable: Cannot read picture %1: Permission denied");
    }
    void refusedWithAReason()
    {
        QFETCH(QString, name);
        QFETCH(QString, failure);
        const QString path = dir.filePath(name);
        const OrdinaryUser user;
        QCOMPARE(Failure([&] { (void)LoadPicture(path, QSize(133, 103)); }), failure.arg(path));
        QCOMPARE(Failure([&] { (void)ReadPictureHeader(path); }), failure.arg(path));
    }

    // A picture of the size of the one before is decoded into its memory.
    void reloadTakesThePreviousPicturesMemory()
    {
        const QString path = Written("a.jpg", QSize(320, 240));
        QImage first = LoadPicture(path);
        const uchar* memory = first.constBits();
        const QImage same = ReloadPicture(path, std::move(first));
        QCOMPARE(same.constBits(), memory);
        QCOMPARE(same, LoadPicture(path));
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
