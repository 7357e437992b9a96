// The totals panel and the value fields: figures, the panel's layout, which
// number of the car value counts, the car value's effect on the changed flag,
// what the car value field refuses, and Enter walking the name fields.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "common/NumberText.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "objects/TotalsPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Two markers costing 250 and 1000 on a picture that needs no file.
const QString TwoCosts = QStringLiteral("1;2;2;30;30;1;250;;,3;4;4;30;30;3;1000;01/02/2006;rear,");

QString Label(const frmImage& window, const char* name)
{
    return Control<QLabel>(window, name)->text();
}

QLineEdit* CarValue(const frmImage& window)
{
    return Control<QLineEdit>(window, "txtNum");
}

QLineEdit* Word(const frmImage& window, int i)
{
    return Control<QLineEdit>(window, QStringLiteral("txtWord%1").arg(i));
}

// The colour of a field's left border, halfway down.
QColor LeftBorder(QLineEdit* field)
{
    return field->grab().toImage().pixelColor(0, field->height() / 2);
}

bool IsAmber(const QColor& color)
{
    return color.hsvHue() >= 25 && color.hsvHue() <= 50 && color.hsvSaturation() >= 150 && color.value() >= 150;
}

// A loaded main window, shown and active when asked.
struct Window {
    FakePlatform fake;
    frmImage window { fake.Bundle() };
    QTemporaryDir dir;

    explicit Window(bool shown = false)
    {
        window.Form_Load(QString());
        if (!shown)
            return;
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("The window did not become active");
    }

    // Opens a titled group of one picture.
    void Open(const QString& carValue, const QString& objects)
    {
        const QString path = dir.filePath("Smith.grp");
        WriteBytes(path, FormatGroupFile(carValue, { { dir.filePath("missing.jpg"), objects } }));
        window.OpenFile(path);
    }
};

} // namespace

class TotalsTest : public QObject {
    Q_OBJECT

private slots:
    void figures_data()
    {
        Columns<QString, QString, QString, QString>("carValue", "objects", "damages", "current");
        Row("car value less damages", "8500", TwoCosts, "1250", "7250");
        Row("empty car value", "", TwoCosts, "1250", "-1250");
        Row("car value with no number", "about 9000", TwoCosts, "1250", "-1250");
        Row("fractional cost", "100", "1;2;2;30;30;1;12.5;;,", "12.5", "87.5");
        Row("record without cost field", "100", "1;2;2;30;30;1,1;2;2;30;30;1;7;;,", "7", "93");
    }
    void figures()
    {
        QFETCH(QString, carValue);
        QFETCH(QString, objects);
        QFETCH(QString, damages);
        QFETCH(QString, current);
        Window w;
        w.Open(carValue, objects);
        QCOMPARE(Label(w.window, "LblIDTotal"), damages);
        QCOMPARE(Label(w.window, "LblRes"), current);
        QCOMPARE(Label(w.window, "LblTotal"), QString::number(objects.count(u',')));
        QCOMPARE(Label(w.window, "LblCount"), QStringLiteral("0"));
    }

    void editingTheCarValueFollowsTheTotals()
    {
        Window w;
        w.Open("8500", TwoCosts);
        CarValue(w.window)->setText("10000.5");
        QCOMPARE(Label(w.window, "LblRes"), QStringLiteral("8750.5"));
    }

    void rowLabelsStayInsideThePanel()
    {
        Window w(true);
        auto* panel = w.window.findChild<TotalsPanel*>();
        const QStringList rows {
            "Total Incidents:", "Grand Total Incidents:", "Estimated Value:", "Total Damages:", "Current Value:"
        };
        for (const QString& row : rows) {
            const QList<QLabel*> found = panel->findChildren<QLabel*>();
            const auto label = std::find_if(found.begin(), found.end(), [&](QLabel* l) { return l->text() == row; });
            QVERIFY2(label != found.end(), qPrintable(row));
            QVERIFY2(panel->rect().contains((*label)->geometry()), qPrintable(row));
            QVERIFY2(
                (*label)->fontMetrics().horizontalAdvance(row) <= (*label)->contentsRect().width(), qPrintable(row));
        }
    }

    void valueBoxesShareOneRightEdge()
    {
        Window w;
        const int right = Control<QLabel>(w.window, "LblCount")->geometry().right();
        for (const char* box : { "LblTotal", "txtNum", "LblIDTotal", "LblRes" })
            QCOMPARE(Control<QWidget>(w.window, box)->geometry().right(), right);
    }

    // counted: the number a text that is no plain number counts as, which
    // the car value field names; blank texts count as 0 unmarked.
    void plainNumber_data()
    {
        Columns<QString, bool, QString>("text", "plain", "counted");
        Row("whole", "8500", true, "");
        Row("negative fraction", "-12.5", true, "");
        Row("blanks around", " 8500 ", true, "");
        Row("tab and line end around", "\t8500\r\n", true, "");
        Row("plus", "+7", true, "");
        Row("leading point", ".5", true, "");
        Row("trailing point", "5.", true, "");
        Row("exponent", "1.5E3", true, "");
        Row("empty", "", false, "");
        Row("blanks only", "   ", false, "");
        Row("thousands and currency", "12,500.50 EUR", false, "12");
        Row("blank inside", "12 500", false, "12500");
        Row("word after", "250 dollars", false, "250");
        Row("second point", "1.2.3", false, "1.2");
        Row("bare E", "15E", false, "15");
        Row("no number", "about 9000", false, "0");
        Row("sign alone", "-", false, "0");
        Row("point alone", ".", false, "0");
        Row("too large", "1E999", false, "0");
        Row("no-break space after", QStringLiteral("8500\u00a0"), false, "8500");
    }
    void plainNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QCOMPARE(IsPlainNumber(text), plain);
    }

    void carValueSaysWhichNumberCounts_data() { plainNumber_data(); }
    void carValueSaysWhichNumberCounts()
    {
        QFETCH(QString, text);
        QFETCH(QString, counted);
        Window w(true);
        QLineEdit* field = CarValue(w.window);
        field->setText("1 EUR"); // a mark that must go again as well
        field->setText(text);
        QCOMPARE(field->text(), text);
        QCOMPARE(field->toolTip(),
            counted.isEmpty() ? QStringLiteral("Car Value")
                              : "Car Value\nCounted as " + counted + ": only the leading number of the text counts.");
        QVERIFY2(IsAmber(LeftBorder(field)) == !counted.isEmpty(), qPrintable(LeftBorder(field).name()));
    }

    void carValueMarksOnlyATitledGroupChanged()
    {
        Window w;
        QTest::keyClicks(CarValue(w.window), "8500");
        QVERIFY(!w.window.Changed);
        QCOMPARE(Label(w.window, "LblRes"), QStringLiteral("8500"));

        w.Open("8500", QString());
        QVERIFY(!w.window.Changed); // the reader's own setting marks nothing
        QTest::keyClicks(CarValue(w.window), "0");
        QVERIFY(w.window.Changed);

        w.window.SaveFile();
        QVERIFY(!w.window.Changed);
        w.window.NewFile(); // emptying the car value marks nothing either
        QVERIFY(w.fake.Calls.isEmpty());
        QVERIFY(!w.window.Changed);
        QCOMPARE(CarValue(w.window)->text(), QString());
        QCOMPARE(Label(w.window, "LblRes"), QStringLiteral("0"));
    }

    void carValueRefusesWhatTheFileCannotHold()
    {
        Window w;
        QLineEdit* field = CarValue(w.window);
        QTest::keyClicks(field, "85;0\"0");
        QCOMPARE(field->text(), QStringLiteral("8500"));
        field->selectAll();
        field->insert("12;5"); // as a paste arrives
        QCOMPARE(field->text(), QStringLiteral("8500"));
        field->clear();
        QTest::keyClicks(field, QString(60, u'9'));
        QCOMPARE(field->text().size(), 50);
    }

    void nameFieldsKeepLongNamesFromAFile()
    {
        Window w;
        const QString longId = QString(30, u'7');
        const QString path = w.dir.filePath("Smith-Sedan-Rear-" + longId + ".grp");
        WriteBytes(path, "\"VOSKImageViewer1;\"\r\n");
        w.window.OpenFile(path);
        QCOMPARE(Word(w.window, 3)->text(), longId);
        // Typing is still held to the field's length.
        QLineEdit* type = Word(w.window, 2);
        type->clear();
        QTest::keyClicks(type, QString(30, u'x'));
        QCOMPARE(type->text().size(), 25);
    }

    void enterWalksTheNameFields()
    {
        Window w(true);
        for (int i = 0; i < 4; ++i) {
            Word(w.window, i)->setFocus();
            QTest::keyClick(Word(w.window, i), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Word(w.window, (i + 1) % 4)));
        }
    }
};

QTEST_MAIN(TotalsTest)
#include "tst_totals.moc"
