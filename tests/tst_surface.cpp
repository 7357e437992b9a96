// The picture surface: pixels decoded as the view needs them, painted in place.
#include "DataRows.h"
#include "MainWindow.h"
#include "viewport/PictureLoader.h"
#include "viewport/PictureSurface.h"
#include "viewport/Thumbnail.h"

#include <QFile>
#include <QScrollBar>
#include <QTest>

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
