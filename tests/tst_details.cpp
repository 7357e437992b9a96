// The details of a marker: the detail string split into the dialog's fields
// and joined again, the cost total after OK, and the dialog itself driven by
// keys and clicks, with what it refuses and what it never cuts.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "objects/DetailFields.h"
#include "objects/frmData.h"
#include "objects/QtDetailsDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString Today = QStringLiteral("12/07/2026");
const QString LongComments = QStringLiteral("dent along the whole left-hand side");
const QString Stored = QStringLiteral("250;12/05/2005;left door");

// A details dialog shown over a marker's detail string and the group's cost
// total, with its controls found by name.
struct Dialog {
    QString objData;
    double total;
    frmData window;
    QLineEdit* txtID = Control<QLineEdit>(window, "txtID");
    QLineEdit* txtDate = Control<QLineEdit>(window, "txtDate");
    QLineEdit* txtData = Control<QLineEdit>(window, "txtData");
    QPushButton* CmdOk = Control<QPushButton>(window, "CmdOk");
    QPushButton* CMDCLEAR = Control<QPushButton>(window, "CMDCLEAR");

    Dialog(const QString& detail, double objIdTotal)
        : objData(detail)
        , total(objIdTotal)
        , window(objData, total, Today)
    {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("The details dialog did not become active");
    }

    // What the fields show, as the detail string they would make.
    [[nodiscard]] QString Shown() const { return txtID->text() + u'|' + txtDate->text() + u'|' + txtData->text(); }

    [[nodiscard]] bool Confirmed() const { return !window.isVisible() && window.result() == QDialog::Accepted; }
};

// Replaces a field's text the way a user does: select all, then type.
void Retype(QLineEdit* field, const QString& text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

void PressEnter(Qt::Key key)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

} // namespace

class DetailsTest : public QObject {
    Q_OBJECT

private slots:
    void splitDetail_data()
    {
        Columns<QString, QString, QString, QString>("objData", "cost", "date", "comments");
        Row("never edited: nothing, not even a date", "", "", "", "");
        Row("all three", Stored, "250", "12/05/2005", "left door");
        Row("no date: today proposed", "250;;rust", "250", "01/02/2003", "rust");
        Row("cleared details: today proposed", ";;", "", "01/02/2003", "");
        Row("cost only", "250", "250", "01/02/2003", "");
        Row("cost and one separator", "250;", "250", "01/02/2003", "");
        Row("no comments part", "250;12/05/2005", "250", "12/05/2005", "");
        Row("date only", ";12/05/2005;", "", "12/05/2005", "");
        Row("comments keep a hand-made separator", "250;;a;b", "250", "01/02/2003", "a;b");
        Row("a blank is not empty", " ", " ", "01/02/2003", "");
        Row("longer than the fields allow", "123456789;12/05/2005 10:30;" + LongComments, "123456789",
            "12/05/2005 10:30", LongComments);
    }
    void splitDetail()
    {
        QFETCH(QString, objData);
        QFETCH(QString, cost);
        QFETCH(QString, date);
        QFETCH(QString, comments);
        QCOMPARE(SplitDetail(objData, QStringLiteral("01/02/2003")), (DetailFields { cost, date, comments }));
    }

    void joinDetail_data()
    {
        Columns<QString, QString, QString, QString>("cost", "date", "comments", "objData");
        Row("all three", "250", "12/05/2005", "left door", Stored);
        Row("all empty", "", "", "", ";;");
        Row("comments only", "", "", "rust", ";;rust");
        Row("separator in the comments", "250", "01/02/2003", "a;b", "250;01/02/2003;a;b");
    }
    void joinDetail()
    {
        QFETCH(QString, cost);
        QFETCH(QString, date);
        QFETCH(QString, comments);
        QFETCH(QString, objData);
        QCOMPARE(JoinDetail({ cost, date, comments }), objData);
        // What the dialog stores, it opens again as it was.
        const QString today = QStringLiteral("31/12/1999");
        QCOMPARE(SplitDetail(objData, today), (DetailFields { cost, date.isEmpty() ? today : date, comments }));
    }

    void totalAfterEdit_data()
    {
        Columns<double, double, QString, double>("total", "oldCost", "costText", "expected");
        Row("new cost", 1000.0, 0.0, "250", 1250.0);
        Row("unchanged", 1250.0, 250.0, "250", 1250.0);
        Row("raised", 1250.0, 250.0, "300", 1300.0);
        Row("cleared", 1250.0, 250.0, "", 1000.0);
        Row("leading number", 0.0, 0.0, "12abc", 12.0);
        Row("no number", 250.0, 250.0, "abc", 0.0);
        Row("fraction", 100.0, 0.0, "12.5", 112.5);
        Row("negative", 100.0, 0.0, "-40", 60.0);
        Row("blanks inside", 0.0, 0.0, " 1 2", 12.0);
        Row("exponent", 0.0, 0.0, "1E3", 1000.0);
        Row("old cost larger than the total", 100.0, 250.0, "0", -150.0);
    }
    void totalAfterEdit()
    {
        QFETCH(double, total);
        QFETCH(double, oldCost);
        QFETCH(QString, costText);
        QFETCH(double, expected);
        QCOMPARE(TotalAfterEdit(total, oldCost, costText), expected);
    }

    void looksAsDesigned()
    {
        Dialog d("", 0.0);
        QCOMPARE(d.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Object Details"));
        QCOMPARE(d.window.minimumSize(), QSize(356, 159));
        QCOMPARE(d.window.maximumSize(), QSize(356, 159));
        const Qt::WindowFlags flags = d.window.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(d.window.palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(d.CmdOk->text(), QStringLiteral("OK"));
        QCOMPARE(d.CMDCLEAR->text(), QStringLiteral("CLEAR"));
        QStringList labels;
        for (const QLabel* label : d.window.findChildren<QLabel*>()) {
            labels.append(label->text());
            QVERIFY2(label->font().bold(), qPrintable(label->text()));
            // Bold as they are, the labels fit their places.
            QVERIFY2(
                label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
        }
        labels.sort();
        QCOMPARE(labels, (QStringList { "Comments", "Cost Est.", "Date" }));
    }

    void opensAtTheCostWithTabOrder()
    {
        Dialog d("", 0.0);
        QCOMPARE(QApplication::focusWidget(), d.txtID);
        for (QWidget* next : QList<QWidget*> { d.CmdOk, d.CMDCLEAR, d.txtDate, d.txtData, d.txtID }) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    // The fields shown, typed over where a column is not empty, then OK.
    void okStores_data()
    {
        Columns<QString, double, QString, QString, QString, QString, double>(
            "objData", "total", "cost", "date", "comments", "stored", "newTotal");
        Row("new marker", "", 1000.0, "250", "12/05/2005", "left door", Stored, 1250.0);
        Row("reopened, unchanged", Stored, 1250.0, "", "", "", Stored, 1250.0);
        Row("cost raised to 300", Stored, 1250.0, "300", "", "", "300;12/05/2005;left door", 1300.0);
        Row("proposed date stored", "250;;rust", 250.0, "", "", "", "250;12/07/2026;rust", 250.0);
        Row("12abc counts 12", "", 0.0, "12abc", "", "", "12abc;;", 12.0);
        Row("abc counts 0", "250;01/01/2001;", 250.0, "abc", "", "", "abc;01/01/2001;", 0.0);
        Row("fractional cost", "", 100.0, "12.5", "", "", "12.5;;", 112.5);
        // Texts the dialog puts in itself are never cut, however long and
        // whatever they hold.
        const QString longDetail = "123456789;12/05/2005 10:30;" + LongComments;
        Row("long texts kept whole", longDetail, 123456789.0, "", "", "", longDetail, 123456789.0);
        Row("hand-made separator kept", "250;;a;b", 250.0, "", "", "", "250;12/07/2026;a;b", 250.0);
    }
    void okStores()
    {
        QFETCH(QString, objData);
        QFETCH(double, total);
        QFETCH(QString, cost);
        QFETCH(QString, date);
        QFETCH(QString, comments);
        QFETCH(QString, stored);
        QFETCH(double, newTotal);
        Dialog d(objData, total);
        if (!cost.isEmpty())
            Retype(d.txtID, cost);
        if (!date.isEmpty())
            Retype(d.txtDate, date);
        if (!comments.isEmpty())
            Retype(d.txtData, comments);
        QCOMPARE(d.objData, objData);
        QCOMPARE(d.total, total);
        QTest::mouseClick(d.CmdOk, Qt::LeftButton);
        QVERIFY(d.Confirmed());
        QCOMPARE(d.objData, stored);
        QCOMPARE(d.total, newTotal);
    }

    // CLEAR empties the fields and stores nothing until OK; a cost typed
    // after it counts from the old cost.
    void clearThenOk_data()
    {
        Columns<bool, QString, QString, double>("byEnter", "typed", "stored", "newTotal");
        Row("clicked", false, "", ";;", 1000.0);
        Row("Enter on the button", true, "", ";;", 1000.0);
        Row("a new cost typed", false, "100", "100;;", 1100.0);
    }
    void clearThenOk()
    {
        QFETCH(bool, byEnter);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(double, newTotal);
        Dialog d(Stored, 1250.0);
        if (byEnter) {
            d.CMDCLEAR->setFocus();
            PressEnter(Qt::Key_Return);
        } else {
            QTest::mouseClick(d.CMDCLEAR, Qt::LeftButton);
        }
        QCOMPARE(d.Shown(), QStringLiteral("||"));
        QVERIFY(d.window.isVisible());
        QCOMPARE(d.objData, Stored);
        QCOMPARE(d.total, 1250.0);
        QTest::keyClicks(d.txtID, typed);
        QTest::mouseClick(d.CmdOk, Qt::LeftButton);
        QVERIFY(d.Confirmed());
        QCOMPARE(d.objData, stored);
        QCOMPARE(d.total, newTotal);
    }

    // Keys typed, then the clipboard pasted when there is one.
    void editingAField_data()
    {
        Columns<QString, QString, QString, QString>("field", "typed", "pasted", "text");
        Row("separators typed in the comments", "txtData", "a;b,c", "", "abc");
        Row("double quote typed in the comments", "txtData", "say \"hi\"", "", "say hi");
        Row("separators typed in the date", "txtDate", "12;05,2005", "", "12052005");
        Row("separators typed in the cost", "txtID", "2;5,0\"", "", "250");
        Row("letters typed in the cost", "txtID", "12abc", "", "12abc");
        Row("cost: 5 characters typed", "txtID", "1234567", "", "12345");
        Row("date: 10 characters typed", "txtDate", "12/05/2005 10:30", "", "12/05/2005");
        Row("comments: 25 characters typed", "txtData", LongComments, "", LongComments.left(25));
        Row("separators pasted refused", "txtData", "door", "a;b,c", "door");
        Row("double quote pasted refused", "txtData", "", "say \"hi\"", "");
        Row("comma pasted in the cost refused", "txtID", "1", "2,50", "1");
        Row("over-long comments pasted refused", "txtData", "", LongComments, "");
        Row("over-long when added refused", "txtID", "12", "3456", "12");
        Row("over-long date pasted refused", "txtDate", "", "12/05/2005 10:30", "");
        Row("pasted text that fits taken", "txtID", "12", "345", "12345");
        Row("pasted date that fits taken", "txtDate", "", "12/05/2005", "12/05/2005");
    }
    void editingAField()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, text);
        Dialog d("", 0.0);
        auto* edit = Control<QLineEdit>(d.window, field);
        QTest::keyClicks(edit, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keySequence(edit, QKeySequence::Paste);
        }
        QCOMPARE(edit->text(), text);
    }

    // A text the dialog put in may be shortened, but the user adds nothing
    // to it past the limit and no separator, not even after an undo.
    void editingALongText()
    {
        Dialog d("250;;" + LongComments, 250.0);
        QTest::keyClick(d.txtData, Qt::Key_End);
        QTest::keyClicks(d.txtData, "x,");
        QCOMPARE(d.txtData->text(), LongComments);
        QTest::keyClick(d.txtData, Qt::Key_Backspace);
        QCOMPARE(d.txtData->text(), LongComments.chopped(1));
        QTest::keySequence(d.txtData, QKeySequence::Undo);
        QCOMPARE(d.txtData->text(), LongComments);
        QTest::keyClicks(d.txtData, ";,\"x");
        QCOMPARE(d.txtData->text(), LongComments);
        QApplication::clipboard()->setText("door");
        QTest::keySequence(d.txtData, QKeySequence::Paste);
        QCOMPARE(d.txtData->text(), LongComments);
    }

    void editingATextWithASeparator()
    {
        Dialog d("250;;a;b", 250.0);
        QTest::keyClick(d.txtData, Qt::Key_End);
        QTest::keyClicks(d.txtData, ";c,d");
        QCOMPARE(d.txtData->text(), QStringLiteral("a;bcd"));
        // Its own separator may go, but no other takes its place.
        QTest::keyClick(d.txtData, Qt::Key_Home);
        QTest::keyClick(d.txtData, Qt::Key_Right);
        QTest::keyClick(d.txtData, Qt::Key_Delete);
        QCOMPARE(d.txtData->text(), QStringLiteral("abcd"));
        QTest::keyClicks(d.txtData, ",");
        QCOMPARE(d.txtData->text(), QStringLiteral("abcd"));
        QTest::mouseClick(d.CmdOk, Qt::LeftButton);
        QCOMPARE(d.objData, QStringLiteral("250;12/07/2026;abcd"));
    }

    void clearLiftsTheRoomOfALongText()
    {
        Dialog d("250;;" + LongComments, 250.0);
        QTest::mouseClick(d.CMDCLEAR, Qt::LeftButton);
        QTest::keyClicks(d.txtData, LongComments);
        QCOMPARE(d.txtData->text(), LongComments.left(25));
    }

    void enterWalksToOk_data()
    {
        Columns<Qt::Key>("key");
        Row("Return", Qt::Key_Return);
        Row("keypad Enter", Qt::Key_Enter);
    }
    void enterWalksToOk()
    {
        QFETCH(Qt::Key, key);
        Dialog d("", 1000.0);
        QTest::keyClicks(d.txtID, "250");
        for (QWidget* next : QList<QWidget*> { d.txtDate, d.txtData, d.CmdOk }) {
            PressEnter(key);
            QCOMPARE(QApplication::focusWidget(), next);
            QVERIFY(d.window.isVisible());
            QCOMPARE(d.objData, QString());
            QCOMPARE(d.total, 1000.0);
        }
        PressEnter(key);
        QVERIFY(d.Confirmed());
        QCOMPARE(d.objData, QStringLiteral("250;;"));
        QCOMPARE(d.total, 1250.0);
    }

    void closingChangesNothing_data()
    {
        Columns<bool>("escape");
        Row("close box", false);
        Row("Escape", true);
    }
    void closingChangesNothing()
    {
        QFETCH(bool, escape);
        Dialog d(Stored, 1250.0);
        Retype(d.txtID, "999");
        Retype(d.txtData, "rear bumper");
        if (escape)
            QTest::keyClick(d.txtData, Qt::Key_Escape);
        else
            QVERIFY(d.window.close());
        QVERIFY(!d.window.isVisible());
        QCOMPARE(d.window.result(), int(QDialog::Rejected));
        QCOMPARE(d.objData, Stored);
        QCOMPARE(d.total, 1250.0);
    }

    // The platform's dialog opens with the clock's date and hands the
    // edited string back.
    void qtDetailsDialogUsesTheClock()
    {
        FakePlatform clock;
        clock.Today = QStringLiteral("03/04/2027");
        QtDetailsDialog details(clock);
        QString objData = QStringLiteral("250;;rust");
        double total = 250.0;
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            auto* dialog = qobject_cast<frmData*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = Control<QLineEdit>(*dialog, "txtDate")->text();
            Retype(Control<QLineEdit>(*dialog, "txtID"), "300");
            QTest::mouseClick(Control<QPushButton>(*dialog, "CmdOk"), Qt::LeftButton);
        });
        details.ShowDetails(objData, total);
        QCOMPARE(shown, QStringLiteral("03/04/2027"));
        QCOMPARE(objData, QStringLiteral("300;03/04/2027;rust"));
        QCOMPARE(total, 300.0);
    }
};

QTEST_MAIN(DetailsTest)
#include "tst_details.moc"
