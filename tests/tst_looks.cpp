// What the window looks like where a person would otherwise lose sight of
// something: the screen inside a scroll area, captions too long for their
// place, toolbar pictures under the pointer, and the viewport's scroll bars.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "document/ScreenBackground.h"
#include "document/frmImage.h"
#include "objects/DamageToolbar.h"

#include <QHoverEvent>
#include <QImage>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <optional>
#include <utility>

namespace {

const QColor Navy { 0x20, 0x30, 0x58 };
const QColor Plum { 0x58, 0x20, 0x40 };

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

// The share of a picture's pixels that stand out clearly from the button
// behind it: the button drawn with and without its picture, compared where
// the two differ at all.
double PictureContrast(QToolButton* button)
{
    // Drawn as part of the panel, over the panel's own background.
    QWidget* panel = button->parentWidget();
    const QImage with = panel->grab(button->geometry()).toImage();
    const QIcon icon = button->icon();
    button->setIcon(QIcon());
    const QImage without = panel->grab(button->geometry()).toImage();
    button->setIcon(icon);
    int covered = 0;
    int clear = 0;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            const QColor a = with.pixelColor(x, y);
            const QColor b = without.pixelColor(x, y);
            const int difference
                = qMax(qAbs(a.red() - b.red()), qMax(qAbs(a.green() - b.green()), qAbs(a.blue() - b.blue())));
            if (difference > 0)
                ++covered;
            if (difference >= 60)
                ++clear;
        }
    }
    return covered == 0 ? 0.0 : double(clear) / covered;
}

struct BarParts {
    QRect Handle;
    QRect Groove;
};

BarParts Parts(QScrollBar* bar)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    QStyle* style = bar->style();
    return { style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar),
        style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar) };
}

// A point of the groove that the handle does not cover, at the groove's
// far end from the handle.
QPoint BareGroove(const BarParts& parts, Qt::Orientation orientation)
{
    const QPoint middle = parts.Groove.center();
    if (orientation == Qt::Horizontal)
        return { parts.Groove.right() - 2, middle.y() };
    return { middle.x(), parts.Groove.bottom() - 2 };
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

// The pointer comes to rest over a point of a widget.
void Hover(QWidget* widget, QPoint position)
{
    widget->setAttribute(Qt::WA_UnderMouse, true);
    QHoverEvent event(QEvent::HoverMove, position, widget->mapToGlobal(position), QPointF(-1, -1));
    QApplication::sendEvent(widget, &event);
}

} // namespace

class LooksTest : public QObject {
    Q_OBJECT

private slots:
    // Below its design size the screen keeps it and the area scrolls; above
    // it the screen fills the area. Either way the screen colour is all
    // around, the corner between the scroll bars included.
    void screenInAScrollArea_data()
    {
        Columns<QSize, QSize, bool>("area", "screen", "scrolls");
        Row("smaller than the design", QSize(600, 400), QSize(1033, 721), true);
        Row("larger than the design", QSize(1400, 900), QSize(1400, 900), false);
    }
    void screenInAScrollArea()
    {
        QFETCH(QSize, area);
        QFETCH(QSize, screen);
        QFETCH(bool, scrolls);
        QScrollArea scroller;
        scroller.setFrameShape(QFrame::NoFrame);
        scroller.setWidgetResizable(true);
        auto* background = new ScreenBackground;
        background->SetScreenColor(Navy);
        scroller.setWidget(background);
        scroller.resize(area);
        scroller.show();
        QVERIFY(QTest::qWaitForWindowExposed(&scroller));
        QCOMPARE(background->size(), screen);
        QCOMPARE(scroller.horizontalScrollBar()->isVisible(), scrolls);
        QCOMPARE(scroller.verticalScrollBar()->isVisible(), scrolls);
        const QPoint corner(area.width() - 3, area.height() - 3);
        QCOMPARE(Rendering(&scroller).pixelColor(corner), Navy);
        background->SetScreenColor(Plum);
        QCOMPARE(Rendering(&scroller).pixelColor(corner), Plum);
    }

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

    void toolbarPicturesStayClearUnderThePointer()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<QToolButton*> buttons = Control<DamageToolbar>(window, "PicTbr")->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 14);
        // Each picture stands out from its button under the pointer and
        // pressed at least nearly as well as at rest.
        for (QToolButton* button : buttons) {
            const double atRest = PictureContrast(button);
            button->setAttribute(Qt::WA_UnderMouse, true);
            const double hovered = PictureContrast(button);
            button->setDown(true);
            const double pressed = PictureContrast(button);
            button->setDown(false);
            button->setAttribute(Qt::WA_UnderMouse, false);
            const QString contrasts = QStringLiteral("%1: at rest %2, under the pointer %3, pressed %4")
                                          .arg(button->toolTip())
                                          .arg(atRest)
                                          .arg(hovered)
                                          .arg(pressed);
            QVERIFY2(hovered >= 0.9 * atRest, qPrintable(contrasts));
            QVERIFY2(pressed >= 0.9 * atRest, qPrintable(contrasts));
        }
    }

    void scrollBarHandlesStandOutFromTheirTrack_data()
    {
        Columns<QString>("name");
        Row("horizontal", "HS");
        Row("vertical", "VS");
    }
    void scrollBarHandlesStandOutFromTheirTrack()
    {
        QFETCH(QString, name);
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* bar = Control<QScrollBar>(window, name);
        bar->setMaximum(300);
        bar->setEnabled(true);
        bar->show();

        const BarParts parts = Parts(bar);
        QVERIFY(!parts.Handle.isEmpty());
        const QImage plain = Rendering(bar);
        const QColor handle = plain.pixelColor(parts.Handle.center());
        const QColor track = plain.pixelColor(BareGroove(parts, bar->orientation()));
        QVERIFY2(handle.lightness() - track.lightness() >= 100,
            qPrintable(QStringLiteral("handle %1 on track %2").arg(handle.name(), track.name())));

        Hover(bar, parts.Handle.center());
        const QColor hovered = Rendering(bar).pixelColor(parts.Handle.center());
        QVERIFY2(hovered.lightness() > handle.lightness(),
            qPrintable(QStringLiteral("hovered %1, plain %2").arg(hovered.name(), handle.name())));
    }
};

QTEST_MAIN(LooksTest)
#include "tst_looks.moc"
