// The details of a marker: the detail string split into the dialog's fields
// and joined again, the cost total after OK, and the dialog itself driven by
// keys and clicks, with what it refuses and what it never cuts.
#include "FakePlatform.h"
#include "objects/DetailFields.h"
#include "objects/frmData.h"
#include "platform/QtDetailsDialog.h"

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

// A details dialog shown over a marker's detail string and the group's cost
// total, with its controls found by name.
struct Dialog {
    QString objData;
    double total;
    frmData window;
    QLineEdit* txtID;
    QLineEdit* txtDate;
    QLineEdit* txtData;
    QPushButton* CmdOk;
    QPushButton* CMDCLEAR;

    Dialog(const QString& detail, double objIdTotal)
        : objData(detail)
        , total(objIdTotal)
        , window(objData, total, Today)
        , txtID(window.findChild<QLineEdit*>(QStringLiteral("txtID")))
        , txtDate(window.findChild<QLineEdit*>(QStringLiteral("txtDate")))
        , txtData(window.findChild<QLineEdit*>(QStringLiteral("txtData")))
        , CmdOk(window.findChild<QPushButton*>(QStringLiteral("CmdOk")))
        , CMDCLEAR(window.findChild<QPushButton*>(QStringLiteral("CMDCLEAR")))
    {
    }

    [[nodiscard]] bool Found() const { return txtID && txtDate && txtData && CmdOk && CMDCLEAR; }

    [[nodiscard]] bool Show()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    [[nodiscard]] QLineEdit* Field(const QString& name) const { return window.findChild<QLineEdit*>(name); }

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
        QTest::addColumn<QString>("objData");
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("comments");
        QTest::newRow("never edited: nothing, not even a date") << ""
                                                                << ""
                                                                << ""
                                                                << "";
        QTest::newRow("all three") << "250;12/05/2005;left door"
                                   << "250"
                                   << "12/05/2005"
                                   << "left door";
        QTest::newRow("no date: today proposed") << "250;;rust"
                                                 << "250"
                                                 << "01/02/2003"
                                                 << "rust";
        QTest::newRow("cleared details: today proposed") << ";;"
                                                         << ""
                                                         << "01/02/2003"
                                                         << "";
        QTest::newRow("cost only") << "250"
                                   << "250"
                                   << "01/02/2003"
                                   << "";
        QTest::newRow("cost and one separator") << "250;"
                                                << "250"
                                                << "01/02/2003"
                                                << "";
        QTest::newRow("no comments part") << "250;12/05/2005"
                                          << "250"
                                          << "12/05/2005"
                                          << "";
        QTest::newRow("date only") << ";12/05/2005;"
                                   << ""
                                   << "12/05/2005"
                                   << "";
        QTest::newRow("comments keep a hand-made separator") << "250;;a;b"
                                                             << "250"
                                                             << "01/02/2003"
                                                             << "a;b";
        QTest::newRow("a blank is not empty") << " "
                                              << " "
                                              << "01/02/2003"
                                              << "";
        QTest::newRow("longer than the fields allow") << "123456789;12/05/2005 10:30;" + LongComments << "123456789"
                                                      << "12/05/2005 10:30" << LongComments;
    }
    void splitDetail()
    {
        QFETCH(QString, objData);
        QFETCH(QString, cost);
        QFETCH(QString, date);
        QFETCH(QString, comments);
        const DetailFields fields = SplitDetail(objData, QStringLiteral("01/02/2003"));
        QCOMPARE(fields.Cost, cost);
        QCOMPARE(fields.Date, date);
        QCOMPARE(fields.Comments, comments);
    }

    void joinDetail_data()
    {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("objData");
        QTest::newRow("all three") << "250"
                                   << "12/05/2005"
                                   << "left door"
                                   << "250;12/05/2005;left door";
        QTest::newRow("all empty") << ""
                                   << ""
                                   << ""
                                   << ";;";
        QTest::newRow("comments only") << ""
                                       << ""
                                       << "rust"
                                       << ";;rust";
        QTest::newRow("separator in the comments") << "250"
                                                   << "01/02/2003"
                                                   << "a;b"
                                                   << "250;01/02/2003;a;b";
    }
    void joinDetail()
    {
        QFETCH(QString, cost);
        QFETCH(QString, date);
        QFETCH(QString, comments);
        QFETCH(QString, objData);
        const DetailFields fields { cost, date, comments };
        QCOMPARE(JoinDetail(fields), objData);
        // What the dialog stores, it opens again as it was.
        const QString today = QStringLiteral("31/12/1999");
        QCOMPARE(SplitDetail(objData, today), (DetailFields { cost, date.isEmpty() ? today : date, comments }));
    }

    void totalAfterEdit_data()
    {
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("oldCost");
        QTest::addColumn<QString>("costText");
        QTest::addColumn<double>("expected");
        QTest::newRow("new cost") << 1000.0 << 0.0 << "250" << 1250.0;
        QTest::newRow("unchanged") << 1250.0 << 250.0 << "250" << 1250.0;
        QTest::newRow("raised") << 1250.0 << 250.0 << "300" << 1300.0;
        QTest::newRow("cleared") << 1250.0 << 250.0 << "" << 1000.0;
        QTest::newRow("leading number") << 0.0 << 0.0 << "12abc" << 12.0;
        QTest::newRow("no number") << 250.0 << 250.0 << "abc" << 0.0;
        QTest::newRow("fraction") << 100.0 << 0.0 << "12.5" << 112.5;
        QTest::newRow("negative") << 100.0 << 0.0 << "-40" << 60.0;
        QTest::newRow("blanks inside") << 0.0 << 0.0 << " 1 2" << 12.0;
        QTest::newRow("exponent") << 0.0 << 0.0 << "1E3" << 1000.0;
        QTest::newRow("old cost larger than the total") << 100.0 << 250.0 << "0" << -150.0;
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
        QVERIFY(d.Found());
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
        QVERIFY(d.Found());
        QVERIFY(d.Show());
        QCOMPARE(QApplication::focusWidget(), d.txtID);
        const QList<QWidget*> order { d.CmdOk, d.CMDCLEAR, d.txtDate, d.txtData, d.txtID };
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void opensWithTheFields_data()
    {
        QTest::addColumn<QString>("objData");
        QTest::addColumn<QString>("shown");
        QTest::newRow("new marker: three empty fields") << ""
                                                        << "||";
        QTest::newRow("stored details") << "250;12/05/2005;left door"
                                        << "250|12/05/2005|left door";
        QTest::newRow("no date: today's proposed") << "250;;rust"
                                                   << "250|12/07/2026|rust";
        // Texts the dialog puts in itself are never cut, however long and
        // whatever they hold.
        QTest::newRow("longer than the limits")
            << "123456789;12/05/2005 10:30;" + LongComments << "123456789|12/05/2005 10:30|" + LongComments;
        QTest::newRow("separator in the comments") << "250;;a;b"
                                                   << "250|12/07/2026|a;b";
    }
    void opensWithTheFields()
    {
        QFETCH(QString, objData);
        QFETCH(QString, shown);
        Dialog d(objData, 0.0);
        QVERIFY(d.Found());
        QCOMPARE(d.Shown(), shown);
    }

    void okStores_data()
    {
        QTest::addColumn<QString>("objData");
        QTest::addColumn<double>("total");
        // Typed over the whole field; empty leaves the field alone.
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("newTotal");
        QTest::newRow("new marker") << "" << 1000.0 << "250"
                                    << "12/05/2005"
                                    << "left door"
                                    << "250;12/05/2005;left door" << 1250.0;
        QTest::newRow("reopened, unchanged") << "250;12/05/2005;left door" << 1250.0 << ""
                                             << ""
                                             << ""
                                             << "250;12/05/2005;left door" << 1250.0;
        QTest::newRow("cost raised to 300") << "250;12/05/2005;left door" << 1250.0 << "300"
                                            << ""
                                            << ""
                                            << "300;12/05/2005;left door" << 1300.0;
        QTest::newRow("proposed date stored") << "250;;rust" << 250.0 << ""
                                              << ""
                                              << ""
                                              << "250;12/07/2026;rust" << 250.0;
        QTest::newRow("12abc counts 12") << "" << 0.0 << "12abc"
                                         << ""
                                         << ""
                                         << "12abc;;" << 12.0;
        QTest::newRow("abc counts 0") << "250;01/01/2001;" << 250.0 << "abc"
                                      << ""
                                      << ""
                                      << "abc;01/01/2001;" << 0.0;
        QTest::newRow("fractional cost") << "" << 100.0 << "12.5"
                                         << ""
                                         << ""
                                         << "12.5;;" << 112.5;
        QTest::newRow("long texts kept whole") << "123456789;12/05/2005 10:30;" + LongComments << 123456789.0 << ""
                                               << ""
                                               << ""
                                               << "123456789;12/05/2005 10:30;" + LongComments << 123456789.0;
        QTest::newRow("hand-made separator kept") << "250;;a;b" << 250.0 << ""
                                                  << ""
                                                  << ""
                                                  << "250;12/07/2026;a;b" << 250.0;
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
        QVERIFY(d.Found());
        QVERIFY(d.Show());
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

    void clearThenOk()
    {
        Dialog d("250;12/05/2005;left door", 1250.0);
        QVERIFY(d.Found());
        QVERIFY(d.Show());
        QTest::mouseClick(d.CMDCLEAR, Qt::LeftButton);
        QCOMPARE(d.Shown(), QStringLiteral("||"));
        QVERIFY(d.window.isVisible());
        QCOMPARE(d.objData, QStringLiteral("250;12/05/2005;left door"));
        QTest::mouseClick(d.CmdOk, Qt::LeftButton);
        QVERIFY(d.Confirmed());
        QCOMPARE(d.objData, QStringLiteral(";;"));
        QCOMPARE(d.total, 1000.0);
    }

    void clearThenTypeCountsFromTheOldCost()
    {
        Dialog d("250;12/05/2005;left door", 1250.0);
        QVERIFY(d.Found());
        QVERIFY(d.Show());
        QTest::mouseClick(d.CMDCLEAR, Qt::LeftButton);
        QTest::keyClicks(d.txtID, "100");
        QTest::mouseClick(d.CmdOk, Qt::LeftButton);
        QCOMPARE(d.objData, QStringLiteral("100;;"));
        QCOMPARE(d.total, 1100.0);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("separators in the comments") << "txtData"
                                                    << "a;b,c"
                                                    << "abc";
        QTest::newRow("double quote in the comments") << "txtData"
                                                      << "say \"hi\""
                                                      << "say hi";
        QTest::newRow("separators in the date") << "txtDate"
                                                << "12;05,2005"
                                                << "12052005";
        QTest::newRow("separators in the cost") << "txtID"
                                                << "2;5,0\""
                                                << "250";
        QTest::newRow("letters in the cost") << "txtID"
                                             << "12abc"
                                             << "12abc";
        QTest::newRow("cost: 5 characters") << "txtID"
                                            << "1234567"
                                            << "12345";
        QTest::newRow("date: 10 characters") << "txtDate"
                                             << "12/05/2005 10:30"
                                             << "12/05/2005";
        QTest::newRow("comments: 25 characters") << "txtData" << LongComments << LongComments.left(25);
    }
    void typing()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        Dialog d("", 0.0);
        QLineEdit* edit = d.Field(field);
        QVERIFY(edit);
        QVERIFY(d.Show());
        QTest::keyClicks(edit, keys);
        QCOMPARE(edit->text(), text);
    }

    void pasting_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::newRow("separators refused") << "txtData"
                                            << "door"
                                            << "a;b,c"
                                            << "door";
        QTest::newRow("double quote refused") << "txtData"
                                              << ""
                                              << "say \"hi\""
                                              << "";
        QTest::newRow("comma in the cost refused") << "txtID"
                                                   << "1"
                                                   << "2,50"
                                                   << "1";
        QTest::newRow("over-long comments refused") << "txtData"
                                                    << "" << LongComments << "";
        QTest::newRow("over-long when added refused") << "txtID"
                                                      << "12"
                                                      << "3456"
                                                      << "12";
        QTest::newRow("over-long date refused") << "txtDate"
                                                << ""
                                                << "12/05/2005 10:30"
                                                << "";
        QTest::newRow("text that fits taken") << "txtID"
                                              << "12"
                                              << "345"
                                              << "12345";
        QTest::newRow("date that fits taken") << "txtDate"
                                              << ""
                                              << "12/05/2005"
                                              << "12/05/2005";
    }
    void pasting()
    {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        Dialog d("", 0.0);
        QLineEdit* edit = d.Field(field);
        QVERIFY(edit);
        QVERIFY(d.Show());
        QTest::keyClicks(edit, before);
        QApplication::clipboard()->setText(clipboard);
        QTest::keySequence(edit, QKeySequence::Paste);
        QCOMPARE(edit->text(), text);
    }

    // A text the dialog put in may be shortened, but the user adds nothing
    // to it past the limit and no separator, not even after an undo.
    void editingALongText()
    {
        Dialog d("250;;" + LongComments, 250.0);
        QVERIFY(d.Found());
        QVERIFY(d.Show());
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
        QVERIFY(d.Found());
        QVERIFY(d.Show());
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
        QVERIFY(d.Found());
        QVERIFY(d.Show());
        QTest::mouseClick(d.CMDCLEAR, Qt::LeftButton);
        QTest::keyClicks(d.txtData, LongComments);
        QCOMPARE(d.txtData->text(), LongComments.left(25));
    }

    void enterWalksToOk_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("keypad Enter") << Qt::Key_Enter;
    }
    void enterWalksToOk()
    {
        QFETCH(Qt::Key, key);
        Dialog d("", 1000.0);
        QVERIFY(d.Found());
        QVERIFY(d.Show());
        QTest::keyClicks(d.txtID, "250");
        const QList<QWidget*> order { d.txtDate, d.txtData, d.CmdOk };
        for (QWidget* next : order) {
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

    void enterOnClearClears()
    {
        Dialog d("250;12/05/2005;left door", 1250.0);
        QVERIFY(d.Found());
        QVERIFY(d.Show());
        d.CMDCLEAR->setFocus();
        PressEnter(Qt::Key_Return);
        QCOMPARE(d.Shown(), QStringLiteral("||"));
        QVERIFY(d.window.isVisible());
        QCOMPARE(d.objData, QStringLiteral("250;12/05/2005;left door"));
        QCOMPARE(d.total, 1250.0);
    }

    void closingChangesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close box") << false;
        QTest::newRow("Escape") << true;
    }
    void closingChangesNothing()
    {
        QFETCH(bool, escape);
        Dialog d("250;12/05/2005;left door", 1250.0);
        QVERIFY(d.Found());
        QVERIFY(d.Show());
        Retype(d.txtID, "999");
        Retype(d.txtData, "rear bumper");
        if (escape)
            QTest::keyClick(d.txtData, Qt::Key_Escape);
        else
            QVERIFY(d.window.close());
        QVERIFY(!d.window.isVisible());
        QCOMPARE(d.window.result(), int(QDialog::Rejected));
        QCOMPARE(d.objData, QStringLiteral("250;12/05/2005;left door"));
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
            shown = dialog->findChild<QLineEdit*>(QStringLiteral("txtDate"))->text();
            QLineEdit* cost = dialog->findChild<QLineEdit*>(QStringLiteral("txtID"));
            Retype(cost, "300");
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CmdOk")), Qt::LeftButton);
        });
        details.ShowDetails(objData, total);
        QCOMPARE(shown, QStringLiteral("03/04/2027"));
        QCOMPARE(objData, QStringLiteral("300;03/04/2027;rust"));
        QCOMPARE(total, 300.0);
    }
};

QTEST_MAIN(DetailsTest)
#include "tst_details.moc"
