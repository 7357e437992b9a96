// The totals panel and the value fields: figures, the car value's effect on
// the changed flag, what the car value field refuses, and Enter walking the
// name fields.
#include "FakePlatform.h"
#include "TestFiles.h"
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
        QCOMPARE(window.Totals->LblIDTotal->text(), damages);
        QCOMPARE(window.Totals->LblRes->text(), current);
        QCOMPARE(window.Totals->LblTotal->text(), QString::number(objects.count(u',')));
        QCOMPARE(window.Totals->LblCount->text(), QStringLiteral("0"));
    }

    void editingTheCarValueFollowsTheTotals()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QTemporaryDir dir;
        OpenGroup(window, dir, "8500", TwoCosts);
        window.txtNum->setText("10000.5");
        QCOMPARE(window.Totals->LblRes->text(), QStringLiteral("8750.5"));
    }

    void carValueMarksOnlyATitledGroupChanged()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QTest::keyClicks(window.txtNum, "8500");
        QVERIFY(!window.Changed);
        QCOMPARE(window.Totals->LblRes->text(), QStringLiteral("8500"));

        QTemporaryDir dir;
        OpenGroup(window, dir, "8500", QString());
        QVERIFY(!window.Changed); // the reader's own setting marks nothing
        QTest::keyClicks(window.txtNum, "0");
        QVERIFY(window.Changed);

        window.Changed = false;
        window.FileName.clear();
        window.NewFile(); // emptying the car value marks nothing either
        QVERIFY(!window.Changed);
        QCOMPARE(window.txtNum->text(), QString());
        QCOMPARE(window.Totals->LblRes->text(), QStringLiteral("0"));
    }

    void carValueRefusesWhatTheFileCannotHold()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        QTest::keyClicks(window.txtNum, "85;0\"0");
        QCOMPARE(window.txtNum->text(), QStringLiteral("8500"));
        window.txtNum->selectAll();
        window.txtNum->insert("12;5"); // as a paste arrives
        QCOMPARE(window.txtNum->text(), QStringLiteral("8500"));
        window.txtNum->clear();
        QTest::keyClicks(window.txtNum, QString(60, u'9'));
        QCOMPARE(window.txtNum->text().size(), 50);
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
        QCOMPARE(window.txtWord[3]->text(), longId);
        // Typing is still held to the field's length.
        window.txtWord[2]->clear();
        QTest::keyClicks(window.txtWord[2], QString(30, u'x'));
        QCOMPARE(window.txtWord[2]->text().size(), 25);
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
            window.txtWord[i]->setFocus();
            QTest::keyClick(window.txtWord[i], Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), window.txtWord[(i + 1) % 4]);
        }
    }
};

QTEST_MAIN(TotalsTest)
#include "tst_totals.moc"
