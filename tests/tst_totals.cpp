// The totals panel and the value fields: figures, the panel's layout, which
// number of the car value counts, the car value's effect on the changed flag,
// what the car value field refuses, and Enter walking the name fields.
#include "Controls.h"
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

} // namespace

class TotalsTest : public QObject {
    Q_OBJECT

    QString OpenGroup(frmImage& window, QTemporaryDir& dir, const QString& carValue, const QString& objects)
    {
        const QString path = dir.filePath("Smith.grp");
        WriteBytes(path, FormatGroupFile(carValue, { { dir.filePath("missing.jpg"), objects } }));
        window.OpenFile(path);
        return path;
    }

private slots:
    void figures_data()
    {
        QTest::addColumn<QString>("carValue");
        QTest::addColumn<QString>("objects");
        QTest::addColumn<QString>("damages");
        QTest::addColumn<QString>("current");
        QTest::newRow("car value less damages") << "8500" << TwoCosts << "1250"
                                                << "7250";
        QTest::newRow("empty car value") << "" << TwoCosts << "1250"
                                         << "-1250";
        QTest::newRow("car value with no number") << "about 9000" << TwoCosts << "1250"
                                                  << "-1250";
        QTest::newRow("fractional cost") << "100"
                                         << "1;2;2;30;30;1;12.5;;,"
                                         << "12.5"
                                         << "87.5";
        QTest::newRow("record without cost field") << "100"
                                                   << "1;2;2;30;30;1,1;2;2;30;30;1;7;;,"
                                                   << "7"
                                                   << "93";
    }
    void figures()
    {
        QFETCH(QString, carValue);
        QFETCH(QString, objects);
        QFETCH(QString, damages);
        QFETCH(QString, current);
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QTemporaryDir dir;
        OpenGroup(window, dir, carValue, objects);
        QCOMPARE(Label(window, "LblIDTotal"), damages);
        QCOMPARE(Label(window, "LblRes"), current);
        QCOMPARE(Label(window, "LblTotal"), QString::number(objects.count(u',')));
        QCOMPARE(Label(window, "LblCount"), QStringLiteral("0"));
    }

    void editingTheCarValueFollowsTheTotals()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QTemporaryDir dir;
        OpenGroup(window, dir, "8500", TwoCosts);
        CarValue(window)->setText("10000.5");
        QCOMPARE(Label(window, "LblRes"), QStringLiteral("8750.5"));
    }

    void rowLabelsStayInsideThePanel()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* panel = window.findChild<TotalsPanel*>();
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
        FakePlatform fake;
        frmImage window(fake.Bundle());
        const int right = Control<QLabel>(window, "LblCount")->geometry().right();
        QCOMPARE(Control<QLabel>(window, "LblTotal")->geometry().right(), right);
        QCOMPARE(CarValue(window)->geometry().right(), right);
        QCOMPARE(Control<QLabel>(window, "LblIDTotal")->geometry().right(), right);
        QCOMPARE(Control<QLabel>(window, "LblRes")->geometry().right(), right);
    }

    void plainNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        QTest::newRow("whole") << "8500" << true;
        QTest::newRow("negative fraction") << "-12.5" << true;
        QTest::newRow("blanks around") << " 8500 " << true;
        QTest::newRow("tab and line end around") << "\t8500\r\n" << true;
        QTest::newRow("plus") << "+7" << true;
        QTest::newRow("leading point") << ".5" << true;
        QTest::newRow("trailing point") << "5." << true;
        QTest::newRow("exponent") << "1.5E3" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("thousands and currency") << "12,500.50 EUR" << false;
        QTest::newRow("blank inside") << "12 500" << false;
        QTest::newRow("word after") << "250 dollars" << false;
        QTest::newRow("second point") << "1.2.3" << false;
        QTest::newRow("bare E") << "15E" << false;
        QTest::newRow("no number") << "about 9000" << false;
        QTest::newRow("sign alone") << "-" << false;
        QTest::newRow("point alone") << "." << false;
        QTest::newRow("too large") << "1E999" << false;
        QTest::newRow("no-break space after") << QStringLiteral("8500\u00a0") << false;
    }
    void plainNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QCOMPARE(IsPlainNumber(text), plain);
    }

    void carValueSaysWhichNumberCounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<bool>("marked");
        QTest::newRow("plain number") << "8500"
                                      << "Car Value" << false;
        QTest::newRow("negative fraction") << "-12.5"
                                           << "Car Value" << false;
        QTest::newRow("blanks around") << " 8500 "
                                       << "Car Value" << false;
        QTest::newRow("empty") << ""
                               << "Car Value" << false;
        QTest::newRow("blanks only") << "   "
                                     << "Car Value" << false;
        QTest::newRow("thousands and currency")
            << "12,500.50 EUR"
            << "Car Value\nCounted as 12: only the leading number of the text counts." << true;
        QTest::newRow("blank inside") << "12 500"
                                      << "Car Value\nCounted as 12500: only the leading number of the text counts."
                                      << true;
        QTest::newRow("no number") << "about 9000"
                                   << "Car Value\nCounted as 0: only the leading number of the text counts." << true;
    }
    void carValueSaysWhichNumberCounts()
    {
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(bool, marked);
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QLineEdit* field = CarValue(window);
        field->setText("1 EUR"); // a mark that must go again as well
        field->setText(text);
        QCOMPARE(field->text(), text);
        QCOMPARE(field->toolTip(), toolTip);
        QVERIFY2(IsAmber(LeftBorder(field)) == marked, qPrintable(LeftBorder(field).name()));
    }

    void carValueMarksOnlyATitledGroupChanged()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QTest::keyClicks(CarValue(window), "8500");
        QVERIFY(!window.Changed);
        QCOMPARE(Label(window, "LblRes"), QStringLiteral("8500"));

        QTemporaryDir dir;
        OpenGroup(window, dir, "8500", QString());
        QVERIFY(!window.Changed); // the reader's own setting marks nothing
        QTest::keyClicks(CarValue(window), "0");
        QVERIFY(window.Changed);

        window.SaveFile();
        QVERIFY(!window.Changed);
        window.NewFile(); // emptying the car value marks nothing either
        QVERIFY(fake.Calls.isEmpty());
        QVERIFY(!window.Changed);
        QCOMPARE(CarValue(window)->text(), QString());
        QCOMPARE(Label(window, "LblRes"), QStringLiteral("0"));
    }

    void carValueRefusesWhatTheFileCannotHold()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QLineEdit* field = CarValue(window);
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
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QTemporaryDir dir;
        const QString longId = QString(30, u'7');
        const QString path = dir.filePath("Smith-Sedan-Rear-" + longId + ".grp");
        WriteBytes(path, "\"VOSKImageViewer1;\"\r\n");
        window.OpenFile(path);
        QCOMPARE(Word(window, 3)->text(), longId);
        // Typing is still held to the field's length.
        QLineEdit* type = Word(window, 2);
        type->clear();
        QTest::keyClicks(type, QString(30, u'x'));
        QCOMPARE(type->text().size(), 25);
    }

    void enterWalksTheNameFields()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (int i = 0; i < 4; ++i) {
            Word(window, i)->setFocus();
            QTest::keyClick(Word(window, i), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Word(window, (i + 1) % 4)));
        }
    }
};

QTEST_MAIN(TotalsTest)
#include "tst_totals.moc"
