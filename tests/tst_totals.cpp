// The totals panel and the value fields: the panel's layout, which number of
// the car value counts and what it marks changed, what the fields refuse.
#include "DataRows.h"
#include "MainWindow.h"
#include "common/NumberText.h"
#include "objects/TotalsPanel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

class TotalsTest : public QObject {
    Q_OBJECT

private slots:
    // Every label whole inside the panel; the value boxes on one right edge.
    void panelLayout()
    {
        MainWindow w;
        w.ShowActive();
        auto* panel = w.window.findChild<TotalsPanel*>();
        for (const QLabel* label : panel->findChildren<QLabel*>()) {
            QVERIFY2(panel->rect().contains(label->geometry())
                    && label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                qPrintable(label->text()));
        }
        const int right = Control<QLabel>(w.window, "LblCount")->geometry().right();
        for (const char* box : { "LblTotal", "txtNum", "LblIDTotal", "LblRes" })
            QCOMPARE(Control<QWidget>(w.window, box)->geometry().right(), right);
    }

    void plainNumber_data()
    {
        Columns<QString, bool>("text", "plain");
        Row("blanks around", "\t 8500 \r\n", true);
        Row("exponent", "1.5E3", true);
        Row("blanks only", "   ", false);
        Row("blank inside", "12 500", false);
        Row("bare E", "15E", false);
        Row("no-break space after", QStringLiteral("8500\u00a0"), false);
    }
    void plainNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QCOMPARE(IsPlainNumber(text), plain);
    }

    // A car value that is no plain number is outlined in amber, and its tool
    // tip says which number counts; blanks alone are no such value.
    void carValueSaysWhichNumberCounts()
    {
        MainWindow w;
        w.ShowActive();
        QLineEdit* field = w.CarValue();
        // Whether the field's left border, halfway down, is amber.
        const auto AmberBorder = [](QLineEdit* edit) {
            const QColor color = edit->grab().toImage().pixelColor(0, edit->height() / 2);
            return color.hsvHue() >= 25 && color.hsvHue() <= 50 && color.hsvSaturation() >= 150 && color.value() >= 150;
        };
        field->setText("12,500.50 EUR");
        QCOMPARE(
            field->toolTip(), QStringLiteral("Car Value\nCounted as 12: only the leading number of the text counts."));
        QVERIFY(AmberBorder(field));
        field->setText("   ");
        QCOMPARE(field->toolTip(), QStringLiteral("Car Value"));
        QVERIFY(!AmberBorder(field));
    }

    void carValueMarksOnlyATitledGroupChanged()
    {
        MainWindow w;
        QTest::keyClicks(w.CarValue(), "8500");
        QVERIFY(!w.Changed());
        QCOMPARE(w.Label("LblRes"), QStringLiteral("8500"));
        w.window.OpenFile(w.Group("Smith.grp", "8500", {}));
        QVERIFY(!w.Changed()); // the reader's own setting marks nothing
        QTest::keyClicks(w.CarValue(), "0");
        QVERIFY(w.Changed());
        w.Menu("mnuFileSave")->trigger();
        QVERIFY(!w.Changed());
        w.Menu("mnuFileNew")->trigger(); // emptying the car value marks nothing either
        QVERIFY(!w.Changed());
        QCOMPARE(w.Label("LblRes"), QStringLiteral("0"));
    }

    // Typing adds nothing the file's header cannot hold, nor more than a
    // field's length; a name from a file is kept whole.
    void fieldsRefuseWhatTheFileCannotHold()
    {
        MainWindow w;
        w.window.OpenFile(w.Group("Smith-Sedan-Rear-" + QString(30, u'7') + ".grp", "", {}));
        QCOMPARE(w.Word(3)->text(), QString(30, u'7'));
        QTest::keyClicks(w.Word(2), QString(30, u'x'));
        QCOMPARE(w.Word(2)->text(), "Rear" + QString(21, u'x'));
        QLineEdit* field = w.CarValue();
        QTest::keyClicks(field, "85;0\"0");
        QCOMPARE(field->text(), QStringLiteral("8500"));
        QTest::keyClicks(field, QString(60, u'9'));
        QCOMPARE(field->text(), "8500" + QString(46, u'9'));
    }

    void enterWalksTheNameFields()
    {
        MainWindow w;
        w.ShowActive();
        for (int i = 0; i < 4; ++i) {
            w.Word(i)->setFocus();
            QTest::keyClick(w.Word(i), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Word((i + 1) % 4)));
        }
    }
};

QTEST_MAIN(TotalsTest)
#include "tst_totals.moc"
