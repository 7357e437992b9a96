// A large photo on the picture surface: decoded at the size the fitted view
// needs, its natural-size pixels decoded when a display size first needs
// them, and painted at every size as the whole picture would be.
#include "Controls.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "viewport/PictureLoader.h"
#include "viewport/PictureSurface.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

// A photo of coloured blocks of 160 pixels, so that a picture drawn in the
// wrong place or at the wrong scale differs along every block edge.
void WriteBlocksJpeg(const QString& path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < size.height(); y += 160) {
        for (int x = 0; x < size.width(); x += 160) {
            const int n = x / 160 * 7 + y / 160 * 13;
            painter.fillRect(x, y, 160, 160, QColor(n * 37 % 256, n * 91 % 256, n * 53 % 256));
        }
    }
    painter.end();
    QVERIFY(image.save(path, "JPEG", 95));
}

// The mean difference of two pictures of one size, per colour channel.
double MeanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col]))
                + std::abs(qBlue(p[col]) - qBlue(q[col]));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

// A window with a group of one photo, chosen and fitted.
struct Shown {
    FakePlatform fake;
    frmImage window { fake.Bundle() };
    QTemporaryDir dir;
    QString photo;

    explicit Shown(QSize size, bool turned = false)
        : photo(dir.filePath("photo.jpg"))
    {
        window.Form_Load(QString());
        if (turned)
            WriteRotatedJpeg(photo, size);
        else
            WriteBlocksJpeg(photo, size);
        const QString group = dir.filePath("Group.grp");
        WriteBytes(group, FormatGroupFile("", { { photo, QString() } }));
        window.OpenFile(group);
        window.ClipClicked(0, 1);
    }

    PictureSurface* PicZoom() const { return Control<PictureSurface>(window, "PicZoom"); }
    QWidget* PicArea() const { return Control<QWidget>(window, "PicArea"); }

    // What the viewport box shows, against the whole picture drawn smoothly
    // at the display size where the surface stands.
    double DifferenceFromTheWholePicture() const
    {
        const QImage whole = LoadPicture(photo);
        const QSize display = PicZoom()->size();
        const QImage drawn = whole.scaled(display, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QImage expected(PicArea()->size(), QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter painter(&expected);
        painter.drawImage(PicZoom()->pos(), drawn);
        painter.end();
        const QRect covered = QRect(PicZoom()->pos(), display).intersected(PicArea()->rect());
        const QImage seen = PicArea()->grab().toImage();
        return MeanDifference(seen.copy(covered), expected.copy(covered));
    }
};

} // namespace

class SurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ConfigurePictureReading(); }

    // A 2560 x 1920 photo fits at 629 x 471.75: the decoder's quarter
    // (640 x 480) covers that; larger sizes take its half, then the whole.
    void photoIsDecodedAtTheSizeTheDisplayNeeds_data()
    {
        QTest::addColumn<QSizeF>("display");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("fitted") << QSizeF(629, 471.75) << QSize(640, 480);
        QTest::newRow("as large as the quarter") << QSizeF(640, 480) << QSize(640, 480);
        QTest::newRow("a little larger") << QSizeF(640.5, 480) << QSize(1280, 960);
        QTest::newRow("as large as the half") << QSizeF(1280, 960) << QSize(1280, 960);
        QTest::newRow("larger than the half") << QSizeF(1280, 961) << QSize(2560, 1920);
        QTest::newRow("past the natural size") << QSizeF(3000, 2250) << QSize(2560, 1920);
    }
    void photoIsDecodedAtTheSizeTheDisplayNeeds()
    {
        QFETCH(QSizeF, display);
        QFETCH(QSize, pixels);
        Shown s(QSize(2560, 1920));
        QCOMPARE(s.PicZoom()->NaturalSize(), QSizeF(2560, 1920));
        QCOMPARE(s.PicZoom()->DisplaySize(), QSizeF(629, 471.75));
        QCOMPARE(s.PicZoom()->PixelsFor(display).size(), pixels);
        // Back at the fitted size, the fitted view's pixels serve again.
        QCOMPARE(s.PicZoom()->PixelsFor(QSizeF(629, 471.75)).size(), QSize(640, 480));
    }

    // A picture whose decoder cannot reduce it is decoded whole once, with
    // a copy of twice the fitted size for the fitted view.
    void pictureOfAnotherFormatIsDecodedWhole()
    {
        FakePlatform fake;
        frmImage window { fake.Bundle() };
        window.Form_Load(QString());
        QTemporaryDir dir;
        const QString picture = dir.filePath("picture.png");
        QVERIFY(QImage(QSize(2560, 1920), QImage::Format_RGB32).save(picture));
        const QString group = dir.filePath("Group.grp");
        WriteBytes(group, FormatGroupFile("", { { picture, QString() } }));
        window.OpenFile(group);
        window.ClipClicked(0, 1);
        auto* surface = Control<PictureSurface>(window, "PicZoom");
        QCOMPARE(surface->PixelsFor(surface->DisplaySize()).size(), QSize(1258, 944));
        QCOMPARE(surface->PixelsFor(QSizeF(1259, 944)).size(), QSize(2560, 1920));
    }

    void paintedAsTheWholePictureWouldBe_data()
    {
        QTest::addColumn<int>("zoomSteps");
        QTest::addColumn<bool>("actual");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("fitted") << 0 << false << 3.0;
        QTest::newRow("one step in") << 1 << false << 3.0;
        QTest::newRow("from the half") << 8 << false << 3.0;
        QTest::newRow("from the whole picture") << 16 << false << 3.0;
        // One picture pixel to one screen pixel: the very pixels.
        QTest::newRow("actual size") << 0 << true << 0.01;
    }
    void paintedAsTheWholePictureWouldBe()
    {
        QFETCH(int, zoomSteps);
        QFETCH(bool, actual);
        QFETCH(double, tolerance);
        Shown s(QSize(2560, 1920));
        for (int step = 0; step < zoomSteps; ++step)
            s.window.ZoomIn();
        if (actual)
            s.window.ActualSize();
        const double difference = s.DifferenceFromTheWholePicture();
        QVERIFY2(difference < tolerance, qPrintable(QString::number(difference)));
    }

    void zoomStepFarFromTheFileStillShows()
    {
        Shown s(QSize(2560, 1920));
        const QSizeF natural = s.PicZoom()->NaturalSize();
        QVERIFY(QFile::remove(s.photo));
        s.window.ActualSize();
        QCOMPARE(s.PicZoom()->DisplaySize(), natural);
        // The fitted view's pixels stand in, enlarged to the same place.
        QCOMPARE(s.PicZoom()->PixelsFor(natural).size(), QSize(640, 480));
        QVERIFY(s.fake.Calls.isEmpty());
    }

    // A phone photo is turned upright before it is reduced.
    void turnedPhotoIsReducedUpright()
    {
        Shown s(QSize(2600, 1950), true);
        QCOMPARE(s.PicZoom()->NaturalSize(), QSizeF(1950, 2600));
        const QImage reduced = s.PicZoom()->PixelsFor(s.PicZoom()->DisplaySize());
        QCOMPARE(reduced.size(), QSize(487, 650));
        const QImage whole = LoadPicture(s.photo);
        QCOMPARE(whole.size(), QSize(1950, 2600));
        const double difference
            = MeanDifference(reduced, whole.scaled(reduced.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QVERIFY2(difference < 2.0, qPrintable(QString::number(difference)));
    }
};

QTEST_MAIN(SurfaceTest)
#include "tst_surface.moc"
