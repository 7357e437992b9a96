// The totals panel and the value fields: the layout, which number of the car value counts, what the fields refuse.
#include "DataRows.h"
#include "MainWindow.h"
#include "objects/TotalsPanel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

class TotalsTest : public QObject {
    Q_OBJECT

private slots:
    // Every label whole inside the panel, the value boxes on one right edge; Enter walks the name fields round.
    void panelLayoutAndEnter()
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
        for (int i = 0; i < 4; ++i) {
            w.Word(i)->setFocus();
            QTest::keyClick(w.Word(i), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Word((i + 1) % 4)));
        }
    }

    // A car value that is no plain number is outlined in amber, and its tool tip says which number counts; blanks
    // alone are no such value. Each row follows one that was outlined.
    void carValueSaysWhichNumberCounts_data()
    {
        Columns<QString, QString>("text", "counted");
        Row("blanks around", "\t 8500 \r\n", "");
        Row("exponent", "1.5E3", "");
        Row("blanks only", "   ", "");
        Row("blank inside", "12 500", "12500");
        Row("bare E", "15E", "15");
        Row("no-break space after", QStringLiteral("8500\u00a0"), "8500");
        Row("thousands and a currency", "12,500.50 EUR", "12");
    }
    void carValueSaysWhichNumberCounts()
    {
        QFETCH(QString, text);
        QFETCH(QString, counted);
        MainWindow w;
        w.ShowActive();
        w.CarValue()->setText("15E");
        w.CarValue()->setText(text);
        const QString tip = "Car Value\nCounted as " + counted + ": only the leading number of the text counts.";
        QCOMPARE(w.CarValue()->toolTip(), counted.isEmpty() ? QStringLiteral("Car Value") : tip);
        // The field's left border, halfway down.
        const QColor border = w.CarValue()->grab().toImage().pixelColor(0, w.CarValue()->height() / 2);
        QCOMPARE(
            border.hsvHue() >= 25 && border.hsvHue() <= 50 && border.hsvSaturation() >= 150 && border.value() >= 150,
            !counted.isEmpty());
    }

    void carValueMarksOnlyATitledGroupChanged()
    {
        MainWindow w;
        QTest::keyClicks(w.CarValue(), "8500");
        QVERIFY(!w.Changed());
        QCOMPARE(w.Label("LblRes"), QStringLiteral("8500"));
        w.window.OpenFile(w.Group("Smith.grp", "8500", {}));
        QTest::keyClicks(w.CarValue(), "0");
        QVERIFY(w.Changed());
        w.Menu("mnuFileSave")->trigger();
        QVERIFY(!w.Changed());
        w.Menu("mnuFileNew")->trigger();
        QCOMPARE(w.Label("LblRes"), QStringLiteral("0"));
    }

    // Typing adds nothing the file's header cannot hold, nor past a field's length; a name from a file stays whole.
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
};

QTEST_MAIN(TotalsTest)
#include "tst_totals.moc"
