// What the window looks like where a person would otherwise lose sight of
// something: captions too long for their place.
#include "Controls.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <optional>
#include <utility>

namespace {

// The columns of a rendering of a line of text that hold any ink, first and
// last; nullopt when the rendering is blank. The top row, above the text,
// shows the background.
std::optional<std::pair<int, int>> InkColumns(const QImage& image)
{
    std::optional<std::pair<int, int>> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 1; y < image.height(); ++y) {
            if (image.pixel(x, y) != image.pixel(x, 0)) {
                columns = columns ? std::pair(columns->first, x) : std::pair(x, x);
                break;
            }
        }
    }
    return columns;
}

QImage Rendering(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The label Qt shows a tool tip in, while one is shown.
QLabel* FindToolTip()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("qtooltip_label") && widget->isVisible())
            return qobject_cast<QLabel*>(widget);
    }
    return nullptr;
}

} // namespace

class LooksTest : public QObject {
    Q_OBJECT

private slots:
    void longCaptionIsShortenedInTheMiddle()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QTemporaryDir dir;
        const QString path = dir.filePath("Smith.grp");
        WriteBytes(path,
            FormatGroupFile("8500",
                { { dir.filePath("Smith-Sedan-front-left-door-closeup-2026.jpg"), QString() },
                    { dir.filePath("car1.jpg"), QString() } }));
        window.OpenFile(path);

        auto* caption = Control<QLabel>(window, "LbFileName0");
        QCOMPARE(caption->text(), QStringLiteral("Smith-Sedan-front-left-door-closeup-2026"));
        QCOMPARE(caption->toolTip(), QStringLiteral("Smith-Sedan-front-left-door-closeup-2026"));
        // The shortened caption keeps clear of both ends of its place.
        const std::optional<std::pair<int, int>> ink = InkColumns(Rendering(caption));
        QVERIFY(ink);
        QVERIFY2(ink->first > 0, "the caption runs past its left end");
        QVERIFY2(ink->second < caption->width() - 1, "the caption runs past its right end");
        QVERIFY(ink->second - ink->first > caption->width() / 2);

        // The tool tip shows the caption in dark letters on its pale ground.
        QToolTip::showText(caption->mapToGlobal(QPoint(4, 4)), caption->toolTip(), caption);
        QLabel* tip = FindToolTip();
        QVERIFY(tip);
        QCOMPARE(tip->text(), caption->toolTip());
        const QImage tipShown = Rendering(tip);
        const QColor ground = tipShown.pixelColor(2, 2);
        int dark = 0;
        for (int y = 0; y < tipShown.height(); ++y) {
            for (int x = 0; x < tipShown.width(); ++x)
                dark += tipShown.pixelColor(x, y).lightness() < ground.lightness() - 120 ? 1 : 0;
        }
        QVERIFY2(dark > 20, qPrintable(QStringLiteral("%1 dark pixels on %2").arg(dark).arg(ground.name())));
        QToolTip::hideText();

        auto* shortCaption = Control<QLabel>(window, "LbFileName1");
        QCOMPARE(shortCaption->text(), QStringLiteral("car1"));
        QCOMPARE(shortCaption->toolTip(), QString());

        window.NewFile();
        QCOMPARE(caption->text(), QStringLiteral("Pic 1"));
        QCOMPARE(caption->toolTip(), QString());
    }
};

QTEST_MAIN(LooksTest)
#include "tst_looks.moc"
