// What a person sees where something could be lost from sight: the screen in a
// scroll area, long captions, the fields, and what lies under the pointer.
#include "MainWindow.h"
#include "PaintRecorder.h"
#include "document/ScreenBackground.h"
#include "objects/DamageToolbar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

class LooksTest : public QObject {
    Q_OBJECT

    static QString At(QWidget* widget, QPoint point) { return widget->grab().toImage().pixelColor(point).name(); }
    // The first text a widget paints, with where it stands and its colour.
    static PaintRecorder::Record Text(QWidget* widget)
    {
        return PaintRecorder([widget](QPainter& painter) { widget->render(&painter); }).Of("text").value(0);
    }

private slots:
    // Below its design size the screen keeps it and the area scrolls; above it
    // fills the area; its colour is all around, between the bars too.
    void screenInAScrollArea()
    {
        QScrollArea scroller;
        scroller.setFrameShape(QFrame::NoFrame);
        scroller.setWidgetResizable(true);
        auto* background = new ScreenBackground;
        scroller.setWidget(background);
        scroller.show();
        QVERIFY(QTest::qWaitForWindowExposed(&scroller));
        for (const auto& [area, screen, colour] : { std::tuple(QSize(600, 400), QSize(1033, 721), "#203058"),
                 std::tuple(QSize(1400, 900), QSize(1400, 900), "#582040") }) {
            background->SetScreenColor(QColor(colour));
            scroller.resize(area);
            QTRY_COMPARE(background->size(), screen);
            QTRY_COMPARE(scroller.horizontalScrollBar()->isVisible(), area != screen);
            QTRY_COMPARE(scroller.verticalScrollBar()->isVisible(), area != screen);
            QCOMPARE(At(&scroller, QPoint(area.width() - 3, area.height() - 3)), QString(colour));
        }
    }

    // A long caption shows its start and end around "…" inside its place, its
    // tool tip the whole caption, dark on pale; fields show black on white.
    void captionsAndFields()
    {
        MainWindow w;
        const QString name("Smith-Sedan-front-left-door-closeup-2026");
        w.window.OpenFile(w.Group(QStringLiteral("Smith-Sedan.grp"), QStringLiteral("8500"),
            { { w.Path(name + ".jpg"), QString() }, { w.Path("car1.jpg"), QString() } }));
        auto* caption = Control<QLabel>(w.window, "LbFileName0");
        QCOMPARE(caption->text(), name);
        const PaintRecorder::Record shown = Text(caption);
        const qsizetype cut = shown.Text.indexOf(u'…');
        QVERIFY2(cut >= 8 && shown.Text.size() - cut > 8 && name.startsWith(shown.Text.left(cut))
                && name.endsWith(shown.Text.mid(cut + 1)) && shown.Place.left() > 0
                && shown.Place.right() < caption->width() && shown.Colour == Qt::white,
            qPrintable(PaintRecorder::Shown(shown)));
        QToolTip::showText(caption->mapToGlobal(QPoint(4, 4)), caption->toolTip(), caption);
        QWidget* tip = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            tip = widget->objectName() == "qtooltip_label" && widget->isVisible() ? widget : tip;
        QCOMPARE(tip ? Text(tip).Text : QString(), name);
        QVERIFY(Text(tip).Colour.lightness() < 80 && tip->grab().toImage().pixelColor(2, 2).lightness() > 200);
        QToolTip::hideText();
        QCOMPARE(Text(Control<QLabel>(w.window, "LbFileName1")).Text, QStringLiteral("car1"));
        QCOMPARE(Control<QLabel>(w.window, "LbFileName1")->toolTip(), QString());
        for (QLineEdit* field : { w.Word(0), w.Word(1), w.CarValue() }) {
            QCOMPARE(Text(field).Text + Text(field).Colour.name() + At(field, QPoint(2, field->height() / 2)),
                field->text() + "#000000#ffffff");
        }
        w.Menu("mnuFileNew")->trigger();
        QCOMPARE(caption->toolTip(), QString()); // "Pic 1"
    }

    // Under the pointer a toolbar button's well (its top, drawn over the panel)
    // darkens and takes an amber edge, pressed a deeper one: a light picture
    // never vanishes. A scroll bar's light handle on its dark track lightens.
    void underThePointer()
    {
        MainWindow w;
        w.ShowActive();
        for (QToolButton* button : Control<DamageToolbar>(w.window, "PicTbr")->findChildren<QToolButton*>()) {
            const auto seen = [button] {
                const QImage look = button->parentWidget()->grab(button->geometry()).toImage();
                return look.pixelColor(button->width() / 2, 1).name() + look.pixelColor(button->width() / 2, 0).name();
            };
            QCOMPARE(seen(), QStringLiteral("#464646#464646"));
            QTest::mouseMove(button);
            QCOMPARE(seen(), QStringLiteral("#383838#b78740"));
            button->setDown(true);
            QCOMPARE(seen(), QStringLiteral("#282828#e0a040"));
            button->setDown(false);
        }
        for (const auto& [name, handle, track] :
            { std::tuple("HS", QPoint(40, 8), QPoint(620, 8)), std::tuple("VS", QPoint(10, 40), QPoint(10, 450)) }) {
            auto* bar = Control<QScrollBar>(w.window, name);
            bar->setMaximum(300);
            bar->setEnabled(true);
            bar->show();
            QCOMPARE(At(bar, handle) + At(bar, track), QStringLiteral("#8d96a2#1b1e22"));
            QTest::mouseMove(bar, handle);
            QCOMPARE(At(bar, handle), QStringLiteral("#c9d0d8"));
        }
    }
};

QTEST_MAIN(LooksTest)
#include "tst_looks.moc"
