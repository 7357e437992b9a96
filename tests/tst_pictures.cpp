// Reading pictures: decoded at the size their box needs, turned upright, and
// files that must never hang or exhaust the program refused with a reason.
// Bringing them in: several from the Import dialog, or dropped on the window.
#include "DataRows.h"
#include "MainWindow.h"
#include "OrdinaryUser.h"
#include "TestFiles.h"
#include "document/ImportPlan.h"
#include "viewport/PictureFilter.h"
#include "viewport/PictureLoader.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QRegularExpression>
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

// Files (paths or addresses) dragged onto a control and dropped, run to the end: whether the control took them.
bool Drop(QWidget* target, const QStringList& files)
{
    QMimeData data;
    for (const QString& file : files)
        data.setUrls(data.urls() << QUrl::fromUserInput(file));
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
    const bool taken = QCoreApplication::sendEvent(target, &enter) && QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return taken && drop.isAccepted();
}

// Messages as "title: text [buttons, icon]".
QStringList Said(const QList<FakePlatform::Call>& messages)
{
    QStringList said;
    for (const FakePlatform::Call& m : messages)
        said.append(QStringLiteral("%1: %2 [%3, %4]")
                        .arg(m.Title, m.Text, m.Buttons == MsgButtons::Ok ? "OK" : "Yes No",
                            m.Icon == MsgIcon::Critical ? "critical" : "information"));
    return said;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    // A PNG or WebP, a JPEG a phone turned ("turned...") or a plain JPEG, as
    // named; HEIC and AVIF pictures are the test data's.
    QString Written(const QString& name, QSize stored)
    {
        const QString path = dir.filePath(name);
        if (name.endsWith(QLatin1String(".heic")) || name.endsWith(QLatin1String(".avif")))
            return path;
        if (name.endsWith(QLatin1String(".png")) || name.endsWith(QLatin1String(".webp")))
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
        for (const QFileInfo& data : QDir(NIMBREL_TEST_DATA "/pictures").entryInfoList({ "*.heic", "*.avif", "*.jpg" }))
            QVERIFY(QFile::copy(data.filePath(), dir.filePath(data.fileName())));
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
        Columns<QString, QSize, QSize, bool, QSize, QSize>("name", "stored", "box", "stretched", "decoded", "view");
        Row("thumbnail of a landscape photo", "a.jpg", QSize(4000, 3000), QSize(133, 103), false, QSize(133, 99),
            QSize());
        Row("thumbnail of a turned photo", "turned.jpg", QSize(400, 300), QSize(133, 103), false, QSize(77, 103),
            QSize());
        Row("thumbnail of a PNG", "a.png", QSize(400, 300), QSize(133, 103), false, QSize(133, 99), QSize());
        Row("thumbnail of a WebP", "a.webp", QSize(400, 300), QSize(133, 103), false, QSize(133, 99), QSize());
        Row("thumbnail of a turned HEIC", "turned.heic", QSize(320, 240), QSize(133, 103), false, QSize(77, 103),
            QSize());
        Row("whole turned HEIC", "turned.heic", QSize(320, 240), QSize(), false, QSize(240, 320), QSize());
        Row("HEIC of several pictures, its primary", "several.heic", QSize(320, 240), QSize(), false, QSize(320, 240),
            QSize());
        Row("stretched AVIF", "photo.avif", QSize(320, 240), QSize(1021, 766), true, QSize(320, 240), QSize());
        Row("thumbnail of an AVIF", "photo.avif", QSize(320, 240), QSize(133, 103), false, QSize(133, 99), QSize());
        Row("small picture is not enlarged", "a.jpg", QSize(60, 40), QSize(133, 103), false, QSize(60, 40), QSize());
        Row("whole turned photo", "turned.jpg", QSize(400, 300), QSize(), false, QSize(300, 400), QSize());
        Row("stretched portrait photo", "a.jpg", QSize(2000, 3000), QSize(1021, 766), true, QSize(1021, 766), QSize());
        Row("stretched turned photo", "turned.jpg", QSize(4000, 3000), QSize(1021, 766), true, QSize(1021, 766),
            QSize());
        Row("stretched, narrower than the box", "a.jpg", QSize(800, 2000), QSize(1021, 766), true, QSize(800, 766),
            QSize());
        Row("thumbnail of a photo whose eighth is its fitted view", "a.jpg", QSize(5120, 3840), QSize(133, 103), false,
            QSize(133, 99), QSize(640, 480));
        Row("the same, turned: left to the decoder", "turned.jpg", QSize(5120, 3840), QSize(133, 103), false,
            QSize(77, 103), QSize());
        // Far past the decoder's own allocation limit, as the viewport shows it.
        Row("a hundred megapixels, whole", "a.jpg", QSize(12000, 8400), QSize(), false, QSize(12000, 8400), QSize());
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
            // One decode for the thumbnail and the fitted view, the thumbnail as the decoder reduces it.
            const LoadedPicture withView = LoadPictures({ path }, box, QSize(629, 480)).value(0);
            QCOMPARE(withView.Picture, together[1].Picture);
            QTEST(withView.View.Pixels.isNull() ? QSize() : withView.View.Pixels.size(), "view");
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
        Row("huge HEIC header", "huge.heic",
            "unreadable: Cannot read picture %1: it declares 20000 x 15000 pixels, more than the 250 megapixels "
            "this program opens");
        Row("truncated HEIC", "cut.heic",
            "unreadable: Cannot read picture %1: Invalid input: Unexpected end of file: Extent in iloc box references "
            "data outside of file bounds (points to file position 368)");
        Row("HEIC header, then noise", "noise.heic",
            "unreadable: Cannot read picture %1: Invalid input: No 'meta' box");
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

    // The Import dialog's "All pictures" offers the phones' formats; a phone's
    // picture is known by its contents whatever its name, and one whose data
    // is damaged is refused in libheif's words.
    void phonePictures()
    {
        const QStringList all = ImportFilter().section(u'|', 3, 3).split(u';');
        QCOMPARE(all.filter(QRegularExpression("^\\*\\.(avif|hei.|hif|webp)$")),
            QStringList({ "*.avif", "*.heic", "*.heif", "*.hif", "*.webp" }));
        QCOMPARE(LoadPicture(dir.filePath("turned-heic.jpg"), QSize(133, 103)).size(), QSize(77, 103));
        const QString damaged = dir.filePath("damaged.heic");
        QCOMPARE(Failure([&] { (void)LoadPicture(damaged, QSize(133, 103)); }),
            "unreadable: Cannot read picture " + damaged
                + ": Invalid input: Unspecified: NAL stream was rejected because a length field is truncated.");
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

    // The first picture goes where it was meant to, filled or not; the others into the empty slots after it, round
    // past the last; what finds none is left out.
    void slotsForPictures_data()
    {
        Columns<QList<bool>, int, int, QString>("filled", "start", "count", "plan");
        Row("one on a filled slot", QList<bool> { 1, 1, 0, 0, 0, 0 }, 1, 1, "1:p1 |");
        Row("three round past the last", QList<bool> { 1, 0, 1, 0, 1, 0 }, 4, 3, "4:p1 5:p2 1:p3 |");
        Row("eight among filled slots", QList<bool> { 1, 0, 1, 1, 0, 0 }, 2, 8, "2:p1 4:p2 5:p3 1:p4 | p5 p6 p7 p8");
    }
    void slotsForPictures()
    {
        QFETCH(QList<bool>, filled);
        QFETCH(int, start);
        QFETCH(int, count);
        const SlotPlan plan = PlanSlots(filled, start, QString("p1 p2 p3 p4 p5 p6 p7 p8").split(u' ').mid(0, count));
        QString placed;
        for (const auto& [slot, path] : plan.Placed)
            placed += QStringLiteral("%1:%2 ").arg(slot).arg(path);
        QTEST((placed + "| " + plan.Left.join(u' ')).trimmed(), "plan");
    }

    // Several pictures chosen at once go into the current slot and the empty ones after it; each that cannot go in
    // says why, the others still go in.
    void importSeveral()
    {
        MainWindow w;
        w.OpenTwoPictures(QString());
        w.window.ClipClicked(4, 2);
        QStringList chosen;
        for (const char* name : { "c.jpg", "gone.jpg", "Smith.grp", "d.jpg", "e.jpg", "f.jpg", "g.jpg" }) {
            chosen.append(w.Path(name));
            if (name[1] == '.')
                WriteJpeg(chosen.last(), QSize(40, 30));
        }
        w.fake.Paths = { chosen.join(u'\n') };
        w.Menu("mnuImport")->trigger();
        QCOMPARE(w.fake.Calls[0].Kind + ' ' + w.fake.Calls[0].Title, "open many Nimbrel - 1.0 : Import Picture");
        QCOMPARE(Said(w.fake.Messages()),
            (QStringList { "Invalid FileName: File Does Not Exists: " + chosen[1] + " [OK, critical]",
                "Sub : ImportImage: Cannot read picture " + chosen[2] + ": Unsupported image format [OK, information]",
                "Sub : ImportImage: No empty slot was left for these pictures, so they were not imported:\n" + chosen[6]
                    + " [OK, information]" }));
        QCOMPARE(w.Captions().join(u' ') + ' ' + w.SlotPath(2) + (w.Changed() ? " changed in " : " in ")
                + w.Caption(w.Current()),
            "a b e.jpg f.jpg c.jpg d.jpg " + chosen[4] + " changed in c.jpg");
    }

    // Pictures dropped on a thumbnail go into it and the empty slots after it; on the picture area, into the current
    // slot. A group file dropped anywhere opens, asking first to save the changes; pictures are no drop there.
    void dropFiles()
    {
        MainWindow w;
        const QString group = w.Group("Smith.grp", "100", { { w.Path("s.jpg"), "" } });
        for (const char* name : { "x.jpg", "y.JPG", "z.png" })
            WriteJpeg(w.Path(name), QSize(40, 30));
        QVERIFY(Drop(Control<QWidget>(w.window, "IMG3"), { w.Path("x.jpg"), w.Path("y.JPG") }));
        QVERIFY(Drop(Control<QWidget>(w.window, "PicZoom"), { w.Path("z.png") }));
        QCOMPARE(w.Captions().join(u' ') + ' ' + w.SlotPath(4) + ' ' + QString::number(w.Current()),
            "z.png Pic 2 Pic 3 x.jpg y.JPG Pic 6 " + w.Path("y.JPG") + " 0");
        QVERIFY(!Drop(Control<QWidget>(w.window, "PicTbr"), { w.Path("x.jpg") }));
        w.fake.Answers = { MsgAnswer::Cancel, MsgAnswer::No };
        QVERIFY(Drop(Control<QWidget>(w.window, "PicTbr"), { group }));
        QVERIFY(Drop(Control<QWidget>(w.window, "IMG1"), { group }));
        QCOMPARE(Said(w.fake.Messages()),
            QStringList(2, "Save Changes: Save Changes to the Current File [Yes No, information]"));
        QCOMPARE(w.window.windowTitle() + ' ' + w.Caption(0), "Nimbrel - 1.0 : Smith s");
    }

    // Whatever is not pictures nor one group file is refused, saying why; nothing changes.
    void dropRefused_data()
    {
        Columns<QString, QString>("files", "refusal");
        Row("a folder", "%1/a.jpg %1", "A folder cannot be dropped here; drop the pictures in it instead:\n%1");
        Row("a text file", "%1/a.jpg %1/notes.txt",
            "Only pictures, or one group file (.grp), can be dropped here, and this is neither:\n%1/notes.txt");
        Row("an address", "https://example.com/car.jpg",
            "Only files on this computer can be dropped here, and this is none:\nhttps://example.com/car.jpg");
        Row("two groups", "%1/a.grp %1/b.GRP", "Only one group file can be opened at a time, and 2 were dropped.");
        Row("a group and a picture", "%1/a.jpg %1/a.grp",
            "A group file cannot be dropped together with pictures: open the group first, then drop the pictures.");
    }
    void dropRefused()
    {
        QFETCH(QString, files);
        QFETCH(QString, refusal);
        MainWindow w;
        QVERIFY(Drop(Control<QWidget>(w.window, "IMG2"), files.replace("%1", w.dir.path()).split(u' ')));
        QCOMPARE(Said(w.fake.Messages()),
            QStringList("Sub : DropFiles: " + refusal.replace("%1", w.dir.path()) + " [OK, information]"));
        QCOMPARE(w.Captions().join(u' ') + (w.Changed() ? " changed" : ""), "Pic 1 Pic 2 Pic 3 Pic 4 Pic 5 Pic 6");
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
