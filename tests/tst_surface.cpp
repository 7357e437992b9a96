// The picture surface: pixels decoded as the view needs them, painted in place.
#include "DataRows.h"
#include "MainWindow.h"
#include "TestFiles.h"
#include "viewport/FittedViews.h"
#include "viewport/PictureLoader.h"
#include "viewport/PictureSurface.h"
#include "viewport/Thumbnail.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QScrollBar>
#include <QTest>

#include <cstdio>

namespace {

// The main window showing a 2560 x 1920 picture of 16 x 12 blocks, each of
// its own colour: out of place, a block's centre shows another's.
struct Shown : MainWindow {
    static QColor Block(int i) { return { i * 37 % 256, i * 91 % 256, i * 53 % 256 }; }
    explicit Shown(const QString& name)
    {
        QImage blocks(16, 12, QImage::Format_RGB32);
        for (int i = 0; i < 16 * 12; ++i)
            blocks.setPixelColor(i % 16, i / 16, Block(i));
        QVERIFY(blocks.scaled(2560, 1920).save(Path(name), nullptr, 95));
        window.OpenFile(Group(QStringLiteral("Group.grp"), QString(), { { Path(name), QString() } }));
        QTest::mouseClick(IMG(0), Qt::LeftButton);
    }
};

// A JPEG of one colour, padded with zeros to a size and dated: red and blue
// files of one size and date differ only in their bytes.
void WriteColour(const QString& path, QSize size, Qt::GlobalColor colour, qint64 bytes, qint64 date)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "JPEG") && jpeg.size() <= bytes);
    WriteBytes(path, jpeg + QByteArray(bytes - jpeg.size(), '\0'));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite)
        && file.setFileTime(QDateTime::fromSecsSinceEpoch(date), QFileDevice::FileModificationTime));
}

} // namespace

class SurfaceTest : public QObject {
    Q_OBJECT

private slots:
    // A JPEG fitted at 629 x 471.75 takes the decoder's quarter, larger sizes its
    // half, then the whole; another format is whole, with a copy twice fitted.
    void decodedAtTheSizeTheDisplayNeeds_data()
    {
        Columns<QString, QSizeF, QSize>("name", "display", "pixels");
        Row("fitted", "photo.jpg", QSizeF(629, 471.75), QSize(640, 480));
        Row("as large as the quarter", "photo.jpg", QSizeF(640, 480), QSize(640, 480));
        Row("a little larger", "photo.jpg", QSizeF(640.5, 480), QSize(1280, 960));
        Row("as large as the half", "photo.jpg", QSizeF(1280, 960), QSize(1280, 960));
        Row("larger than the half", "photo.jpg", QSizeF(1280, 961), QSize(2560, 1920));
        Row("PNG, fitted", "photo.png", QSizeF(629, 471.75), QSize(1258, 944));
        Row("PNG, larger than its copy", "photo.png", QSizeF(1259, 944), QSize(2560, 1920));
        Row("the file gone, fitted pixels stand in", "gone.jpg", QSizeF(2560, 1920), QSize(640, 480));
    }
    void decodedAtTheSizeTheDisplayNeeds()
    {
        QFETCH(QString, name);
        QFETCH(QSizeF, display);
        QFETCH(QSize, pixels);
        Shown s(name);
        QVERIFY(name != "gone.jpg" || QFile::remove(s.Path(name)));
        const QSize fitted = s.PicZoom()->PixelsFor(QSizeF(629, 471.75)).size();
        QCOMPARE(s.PicZoom()->PixelsFor(display).size(), pixels);
        QCOMPARE(s.PicZoom()->PixelsFor(QSizeF(629, 471.75)).size(), fitted);
    }

    // An open group's pictures show from the pixels kept for their fitted views, the file not read again, while it
    // is the same file, unchanged, and the box the same; otherwise the file is read as it is now.
    void keptViewsOnlyOfTheFileAsItIs_data()
    {
        Columns<QSize, QString, QSize, QString, QSize>("picture", "change", "box", "shows", "pixels");
        Row("kept at the open, zeros in its place unread", QSize(5040, 400), "zeros", QSize(629, 480), "red",
            QSize(630, 50));
        Row("kept in the background, zeros unread", QSize(2560, 1920), "zeros", QSize(629, 480), "red",
            QSize(640, 480));
        Row("rewritten later", QSize(2560, 1920), "rewritten", QSize(629, 480), "blue", QSize(640, 480));
        Row("replaced, same size and date", QSize(5040, 400), "replaced", QSize(629, 480), "blue", QSize(630, 50));
        Row("imported, kept in the background, zeros unread", QSize(2560, 1920), "imported zeros", QSize(629, 480),
            "red", QSize(640, 480));
        Row("removed", QSize(2560, 1920), "removed", QSize(629, 480), "placeholder", QSize(640, 480));
        Row("a larger box, the other slot kept for it", QSize(2560, 1920), "none", QSize(1000, 750), "red",
            QSize(1280, 960));
    }
    void keptViewsOnlyOfTheFileAsItIs()
    {
        QFETCH(QSize, picture);
        QFETCH(QString, change);
        QFETCH(QSize, box);
        QFETCH(QSize, pixels);
        MainWindow w;
        const QString path = w.Path("p.jpg");
        const qint64 bytes = 200'000;
        WriteColour(path, picture, Qt::red, bytes, 1'700'000'000);
        WriteColour(w.Path("q.jpg"), picture, Qt::red, bytes, 1'700'000'000);
        w.fake.Paths = { path };
        if (change.startsWith("imported"))
            w.Menu("mnuImport")->trigger();
        else
            w.window.OpenFile(w.Group("Group.grp", QString(), { { path, QString() }, { w.Path("q.jpg"), QString() } }));
        auto* views = w.window.findChild<FittedViews*>();
        QTRY_VERIFY(!views->Usable(0, path, QSize(629, 480)).Pixels.isNull());
        if (change.endsWith("zeros"))
            WriteColour(path, QSize(1, 1), Qt::black, bytes, 1'700'000'000);
        if (change == "rewritten")
            WriteColour(path, picture, Qt::blue, bytes, 1'700'000'060);
        if (change == "replaced") {
            WriteColour(path + ".new", picture, Qt::blue, bytes, 1'700'000'000);
            QCOMPARE(std::rename(qPrintable(path + ".new"), qPrintable(path)), 0);
        }
        QVERIFY(change != "removed" || QFile::remove(path));
        Control<QWidget>(w.window, "PicArea")->resize(box);
        w.window.ClipClicked(0, 1);
        const QImage& shown = w.PicZoom()->PixelsFor(w.PicZoom()->DisplaySize());
        const QColor seen = shown.pixelColor(4, 4);
        QTEST(seen == QColor(48, 28, 28)               ? QStringLiteral("placeholder")
                : seen.red() > 240 && seen.blue() < 15 ? QStringLiteral("red")
                : seen.blue() > 240 && seen.red() < 15 ? QStringLiteral("blue")
                                                       : seen.name(),
            "shows");
        QCOMPARE(shown.size(), pixels);
        QTRY_VERIFY(change.startsWith("imported") || !views->Usable(1, w.Path("q.jpg"), box).Pixels.isNull());
    }

    // The centre of every block in the box shows the block's colour, drawn
    // from the copy or the whole picture; at actual size, the very pixels.
    void paintedInPlace_data()
    {
        Columns<QString, int, QPoint>("command", "times", "scrolled");
        Row("fitted", "mnuzoomin", 0, QPoint());
        Row("from the copy", "mnuzoomin", 8, QPoint(300, 200));
        Row("from the whole picture", "mnuzoomin", 16, QPoint(500, 400));
        Row("actual size", "mnuActual", 1, QPoint(1000, 700));
    }
    void paintedInPlace()
    {
        QFETCH(QString, command);
        QFETCH(int, times);
        QFETCH(QPoint, scrolled);
        Shown s("photo.png");
        for (int i = 0; i < times; ++i)
            s.Menu(qPrintable(command))->trigger();
        Control<QScrollBar>(s.window, "HS")->setValue(scrolled.x());
        Control<QScrollBar>(s.window, "VS")->setValue(scrolled.y());
        auto* box = Control<QWidget>(s.window, "PicArea");
        const QImage seen = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int i = 0; i < 16 * 12; ++i) {
            const QPoint centre(i % 16 * 160 + 80, i / 16 * 160 + 80);
            const QPoint at = (QPointF(centre) * s.PicZoom()->DisplaySize().width() / 2560).toPoint() - scrolled;
            if (box->rect().contains(at))
                QCOMPARE(seen.pixelColor(at), Shown::Block(i));
        }
        if (command == "mnuActual")
            QCOMPARE(seen, LoadPicture(s.Path("photo.png")).copy(QRect(scrolled, box->size())));
    }
};

QTEST_MAIN(SurfaceTest)
#include "tst_surface.moc"
