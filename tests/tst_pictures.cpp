// Reading pictures: thumbnails decoded small, pictures turned upright, and
// files that must never hang or exhaust the program refused with a reason.
#include "TestFiles.h"
#include "viewport/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Acts as an ordinary user while it lives when the tests run as root, whom
// no file permission stops; otherwise the tests' own user is ordinary. Only
// the user changes: the groups stay root's.
class OrdinaryUser {
public:
    OrdinaryUser()
        : m_wasRoot(geteuid() == 0)
    {
        m_acting = !m_wasRoot || seteuid(65534) == 0;
    }
    ~OrdinaryUser()
    {
        if (m_wasRoot && m_acting)
            (void)seteuid(0);
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    [[nodiscard]] bool Acting() const { return m_acting; }

private:
    bool m_wasRoot;
    bool m_acting;
};

QString Failure(const QString& path, PictureError::Kind* kind = nullptr)
{
    try {
        (void)LoadPicture(path, QSize(133, 103));
    } catch (const PictureError& error) {
        if (kind)
            *kind = error.GetKind();
        return error.Text();
    }
    return QStringLiteral("loaded");
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigurePictureReading(); }

    void thumbnailIsDecodedToFitItsBox_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("thumbnail");
        QTest::newRow("landscape photo") << QSize(4000, 3000) << QSize(133, 99);
        QTest::newRow("portrait photo") << QSize(3000, 4000) << QSize(77, 103);
        QTest::newRow("small picture is not enlarged") << QSize(60, 40) << QSize(60, 40);
    }
    void thumbnailIsDecodedToFitItsBox()
    {
        QFETCH(QSize, stored);
        QFETCH(QSize, thumbnail);
        QTemporaryDir dir;
        const QString path = dir.filePath("photo.jpg");
        WriteJpeg(path, stored);
        QCOMPARE(LoadPicture(path, QSize(133, 103)).size(), thumbnail);
    }

    // A picture stretched into a box anyway (a report cell) is decoded at the
    // box's size, never larger than it is.
    void stretchedPictureIsDecodedAtItsBox_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("4:3 photo") << QSize(4000, 3000) << false << QSize(1021, 766);
        QTest::newRow("3:2 photo") << QSize(3000, 2000) << false << QSize(1021, 766);
        QTest::newRow("portrait photo") << QSize(2000, 3000) << false << QSize(1021, 766);
        QTest::newRow("phone photo turned upright") << QSize(4000, 3000) << true << QSize(1021, 766);
        QTest::newRow("narrower than the box") << QSize(800, 2000) << false << QSize(800, 766);
        QTest::newRow("small picture is not enlarged") << QSize(640, 480) << false << QSize(640, 480);
    }
    void stretchedPictureIsDecodedAtItsBox()
    {
        QFETCH(QSize, stored);
        QFETCH(bool, turned);
        QFETCH(QSize, decoded);
        QTemporaryDir dir;
        const QString path = dir.filePath("photo.jpg");
        if (turned)
            WriteRotatedJpeg(path, stored);
        else
            WriteJpeg(path, stored, 30);
        QCOMPARE(LoadPicture(path, QSize(1021, 766), Qt::IgnoreAspectRatio).size(), decoded);
    }

    void exifOrientationStandsThePictureUpright()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("phone.jpg");
        WriteRotatedJpeg(path, QSize(400, 300));
        QCOMPARE(LoadPicture(path).size(), QSize(300, 400));
        QCOMPARE(LoadPicture(path, QSize(133, 103)).size(), QSize(77, 103));
    }

    void headerTellsTheUprightSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("decodesReduced");
        QTest::newRow("landscape photo") << "photo.jpg" << QSize(400, 300) << false << QSize(400, 300) << true;
        QTest::newRow("phone photo turned upright")
            << "photo.jpg" << QSize(400, 300) << true << QSize(300, 400) << true;
        QTest::newRow("PNG, decoded whole") << "picture.png" << QSize(400, 300) << false << QSize(400, 300) << false;
    }
    void headerTellsTheUprightSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, stored);
        QFETCH(bool, turned);
        QFETCH(QSize, size);
        QFETCH(bool, decodesReduced);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (turned)
            WriteRotatedJpeg(path, stored);
        else if (name.endsWith(QLatin1String(".png")))
            QVERIFY(QImage(stored, QImage::Format_RGB32).save(path));
        else
            WriteJpeg(path, stored);
        const PictureHeader header = ReadPictureHeader(path);
        QCOMPARE(header.Size, size);
        QCOMPARE(header.DecodesReduced, decodesReduced);
        QCOMPARE(LoadPicture(path).size(), size);
    }

    void sizeOfAMissingPictureIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("gone.jpg");
        try {
            (void)ReadPictureHeader(path);
            QFAIL("no size for a missing picture");
        } catch (const PictureError& error) {
            QCOMPARE(int(error.GetKind()), int(PictureError::Kind::Missing));
            QCOMPARE(error.Text(), QStringLiteral("Cannot read picture %1: the file does not exist").arg(path));
        }
    }

    // Several pictures decoded at once come back in the order asked, each
    // with its own size or its own reason.
    void picturesDecodedTogetherKeepTheirOrder()
    {
        QTemporaryDir dir;
        const QStringList paths { dir.filePath("a.jpg"), dir.filePath("gone.jpg"), dir.filePath("b.jpg"),
            dir.filePath("text.jpg"), dir.filePath("c.jpg") };
        WriteJpeg(paths[0], QSize(4000, 3000), 30);
        WriteRotatedJpeg(paths[2], QSize(400, 300));
        WriteBytes(paths[3], "not a picture");
        WriteJpeg(paths[4], QSize(60, 40));
        const QList<LoadedPicture> loaded = LoadPictures(paths, QSize(133, 103));
        QCOMPARE(loaded.size(), 5);
        QCOMPARE(loaded[0].Picture.size(), QSize(133, 99));
        QCOMPARE(loaded[2].Picture.size(), QSize(77, 103));
        QCOMPARE(loaded[4].Picture.size(), QSize(60, 40));
        for (int i : { 0, 2, 4 })
            QVERIFY(!loaded[i].Failure);
        QVERIFY(loaded[1].Picture.isNull() && loaded[3].Picture.isNull());
        QCOMPARE(int(loaded[1].Failure->GetKind()), int(PictureError::Kind::Missing));
        QCOMPARE(int(loaded[3].Failure->GetKind()), int(PictureError::Kind::Unreadable));
        QVERIFY(loaded[3].Failure->Text().startsWith(QStringLiteral("Cannot read picture %1: ").arg(paths[3])));
        QVERIFY(LoadPictures({}, QSize(133, 103)).isEmpty());
    }

    void refusesWithAReason_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "gone.jpg" << int(PictureError::Kind::Missing) << "the file does not exist";
        QTest::newRow("pipe") << "pipe.jpg" << int(PictureError::Kind::Unreadable) << "it is not a regular file";
        QTest::newRow("folder") << "folder.jpg" << int(PictureError::Kind::Unreadable) << "it is not a regular file";
        QTest::newRow("huge header") << "huge.jpg" << int(PictureError::Kind::Unreadable)
                                     << "it declares 40000 x 30000 pixels, more than the 250 megapixels this program "
                                        "opens";
        QTest::newRow("not a picture") << "text.jpg" << int(PictureError::Kind::Unreadable)
                                       << "Unsupported image format";
    }
    void refusesWithAReason()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe.jpg")).constData(), 0600) == 0);
        QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
        WriteJpegDeclaring(dir.filePath("huge.jpg"), QSize(40000, 30000));
        WriteBytes(dir.filePath("text.jpg"), "this is no picture");
        PictureError::Kind seen {};
        QCOMPARE(Failure(path, &seen), QStringLiteral("Cannot read picture %1: %2").arg(path, reason));
        QCOMPARE(int(seen), kind);
    }

    // A picture that is there but may not be read is no missing picture: the
    // text says why it cannot be read, in the system's words.
    void unreadablePictureGivesTheSystemsReason_data()
    {
        QTest::addColumn<bool>("lockTheFolder");
        QTest::addColumn<bool>("reload");
        QTest::newRow("no read permission") << false << false;
        QTest::newRow("no read permission, whole picture") << false << true;
        QTest::newRow("folder without search permission") << true << false;
        QTest::newRow("folder without search permission, whole picture") << true << true;
    }
    void unreadablePictureGivesTheSystemsReason()
    {
        QFETCH(bool, lockTheFolder);
        QFETCH(bool, reload);
        QTemporaryDir dir;
        // Anyone, of any group, may pass through the temporary folder: the
        // lock is on the picture or on the folder it stands in.
        QVERIFY(QFile::setPermissions(dir.path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                | QFile::ReadOther | QFile::ExeOther));
        const QString folder = dir.filePath("photos");
        QVERIFY(QDir(dir.path()).mkdir("photos"));
        const QString path = folder + "/car.jpg";
        WriteJpeg(path, QSize(64, 48));
        const QString locked = lockTheFolder ? folder : path;
        const QFile::Permissions before = QFile::permissions(locked);
        QVERIFY(
            QFile::setPermissions(locked, lockTheFolder ? QFile::ReadOwner | QFile::WriteOwner : QFile::Permissions()));
        QString text;
        PictureError::Kind kind {};
        bool skipped = false;
        {
            const OrdinaryUser user;
            // Only a user whom the lock stops can see the failure.
            skipped = !user.Acting() || faccessat(AT_FDCWD, QFile::encodeName(path).constData(), R_OK, AT_EACCESS) == 0;
            try {
                if (!skipped)
                    (void)(reload ? ReloadPicture(path, QImage()) : LoadPicture(path, QSize(133, 103)));
                text = QStringLiteral("loaded");
            } catch (const PictureError& error) {
                text = error.Text();
                kind = error.GetKind();
            }
        }
        QVERIFY(QFile::setPermissions(locked, before));
        if (skipped)
            QSKIP("the locked picture stays readable here (root that cannot act as another user): no failure to see");
        QCOMPARE(text, QStringLiteral("Cannot read picture %1: Permission denied").arg(path));
        QCOMPARE(int(kind), int(PictureError::Kind::Unreadable));
    }

    void reloadTakesThePreviousPicturesMemory()
    {
        QTemporaryDir dir;
        WriteJpeg(dir.filePath("a.jpg"), QSize(320, 240));
        WriteRotatedJpeg(dir.filePath("b.jpg"), QSize(320, 240));
        WriteJpeg(dir.filePath("c.jpg"), QSize(200, 100));
        QImage first = LoadPicture(dir.filePath("a.jpg"));
        const uchar* memory = first.constBits();
        const QImage same = ReloadPicture(dir.filePath("a.jpg"), std::move(first));
        QCOMPARE(same.constBits(), memory);
        QCOMPARE(same, LoadPicture(dir.filePath("a.jpg")));
        // Turned upright, and of another size: new memory, right picture.
        QCOMPARE(ReloadPicture(dir.filePath("b.jpg"), same).size(), QSize(240, 320));
        QCOMPARE(ReloadPicture(dir.filePath("c.jpg"), same).size(), QSize(200, 100));
    }

    void opensAHundredMegapixelPhoto()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("big.jpg");
        WriteJpeg(path, QSize(12000, 8400), 30);
        QCOMPARE(LoadPicture(path, QSize(133, 103)).size(), QSize(133, 93));
        // The whole picture, as the viewport shows it: far past the decoder's
        // default allocation limit.
        QCOMPARE(LoadPicture(path).size(), QSize(12000, 8400));
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
