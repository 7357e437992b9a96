// The details dialog of a marker: what it shows, stores and refuses, and how the cost total moves when it closes.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "objects/QtDetailsDialog.h"
#include "objects/frmData.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

const QString Stored = QStringLiteral("250;12/05/2005;left door");
const QString Long = QStringLiteral("dent along the whole left-hand side"); // 35 characters

// The details dialog over a marker's detail string and the cost total, on 12/07/2026, active; its controls by name.
struct Dialog {
    QString objData;
    double total;
    frmData window;

    Dialog(const QString& detail, double objIdTotal)
        : objData(detail)
        , total(objIdTotal)
        , window(objData, total, QStringLiteral("12/07/2026"))
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QWidget* operator[](const QString& name) const { return Control<QWidget>(window, name); }
};

} // namespace

class DetailsTest : public QObject {
    Q_OBJECT

private slots:
    void looksAsDesigned()
    {
        Dialog d("", 0.0);
        QCOMPARE(d.window.windowTitle(), QStringLiteral("Nimbrel - 1.0 : Object Details"));
        QCOMPARE(d.window.minimumSize(), QSize(356, 159));
        QCOMPARE(d.window.maximumSize(), QSize(356, 159));
        QCOMPARE(d.window.palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(d.window.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint),
            Qt::WindowCloseButtonHint);
        // Each control by its text (a field by its name) where it stands, laid out in twips, 15 to a pixel.
        QStringList controls;
        for (const QWidget* control : d.window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const auto* label = qobject_cast<const QLabel*>(control);
            const QString text
                = control->inherits("QLineEdit") ? control->objectName() : control->property("text").toString();
            const QRect r = control->geometry();
            controls.append(QString::asprintf("%s %d,%d %dx%d", qPrintable(text), r.x(), r.y(), r.width(), r.height()));
            QVERIFY2(!label || (label->font().bold() && label->fontMetrics().horizontalAdvance(text) <= r.width()),
                qPrintable(text));
        }
        QCOMPARE(controls,
            (QStringList { "Date 16,18 65x21", "txtDate 92,14 161x27", "Comments 16,56 67x23", "txtData 90,54 163x43",
                "Cost Est. 16,112 65x21", "txtID 88,110 95x27", "OK 278,16 63x29", "CLEAR 280,56 61x31" }));
        // The cost, though the lowest field, comes first.
        QCOMPARE(QApplication::focusWidget(), d["txtID"]);
        for (const char* next : { "CmdOk", "CMDCLEAR", "txtDate", "txtData", "txtID" }) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), d[next]);
        }
    }

    // Each field typed into at its end ("cost|date|comments"; \b is Backspace, what follows ^ is pasted), after CLEAR
    // when asked, then the dialog closed. No field takes ";", "," or '"', nor more than its length, but a text the
    // dialog put in stays whole. OK, or Enter walking down to OK, stores the fields and moves the total by the change
    // of the cost; any other close changes nothing.
    void closing_data()
    {
        Columns<QString, double, bool, QString, QString, QString, double>(
            "objData", "total", "clear", "typed", "close", "stored", "newTotal");
        Row("never edited: no date proposed", "", 0.0, false, "", "OK", ";;", 0.0);
        Row("no date: today proposed", "250;;rust", 250.0, false, "", "OK", "250;12/07/2026;rust", 250.0);
        Row("cost only", "250", 250.0, false, "", "OK", "250;12/07/2026;", 250.0);
        Row("no comments part", "250;12/05/2005", 250.0, false, "", "OK", "250;12/05/2005;", 250.0);
        Row("a blank is not empty", " ", 0.0, false, "", "OK", " ;12/07/2026;", 0.0);
        const QString longDetail = "123456789;12/05/2005 10:30;" + Long;
        Row("long texts kept whole", longDetail, 123456789.0, false, "", "OK", longDetail, 123456789.0);
        Row("cost raised to 2500", Stored, 1250.0, false, "0", "OK", "2500;12/05/2005;left door", 3500.0);
        Row("a fraction, above the total", "250;;", 100.0, false, "\b\b\b12.5", "OK", "12.5;12/07/2026;", -137.5);
        Row("typed: no separators, 5, 10 and 25 characters", "", 0.0, false,
            "1;2,a\"bcd|12/05;/\"2005, 10:30|a;b,c\"d" + Long, "OK", "12abc;12/05/2005;abcd" + Long.left(21), 12.0);
        Row("pasted: whole when it fits, else refused whole", "", 0.0, false, "12^3456|^12/05/2005|door^a;b,c", "OK",
            "12;12/05/2005;door", 12.0);
        Row("long text: no more", "250;;" + Long, 250.0, false, "||x,\be^door", "OK", "250;12/07/2026;" + Long, 250.0);
        Row("a hand-made separator: no other", "250;;ab;", 250.0, false, "||;,\b,x", "OK", "250;12/07/2026;abx", 250.0);
        Row("CLEAR: a new cost counts from the old", Stored, 1250.0, true, "100", "OK", "100;;", 1100.0);
        Row("CLEAR: the plain limits again", "250;;" + Long, 250.0, true, "||" + Long, "OK", ";;" + Long.left(25), 0.0);
        Row("Return walks to OK", "", 1000.0, false, "250|12/05/2005|left door", "Return", Stored, 1250.0);
        Row("keypad Enter walks to OK", "", 1000.0, false, "250", "keypad Enter", "250;;", 1250.0);
        Row("Escape changes nothing", Stored, 1250.0, false, "9||x", "Escape", Stored, 1250.0);
        Row("close box changes nothing", Stored, 1250.0, true, "9", "close box", Stored, 1250.0);
    }
    void closing()
    {
        QFETCH(QString, objData);
        QFETCH(double, total);
        QFETCH(bool, clear);
        QFETCH(QString, typed);
        QFETCH(QString, close);
        Dialog d(objData, total);
        if (clear)
            QTest::mouseClick(d["CMDCLEAR"], Qt::LeftButton);
        for (int field = 0; field < 3; ++field) {
            QWidget* edit = d[QStringList { "txtID", "txtDate", "txtData" }[field]];
            const QString text = typed.section(u'|', field, field);
            QTest::keyClick(edit, Qt::Key_End);
            QTest::keyClicks(edit, text.section(u'^', 0, 0));
            if (text.contains(u'^')) {
                QApplication::clipboard()->setText(text.section(u'^', 1));
                QTest::keySequence(edit, QKeySequence::Paste);
            }
        }
        const auto enter = close == "keypad Enter" ? Qt::Key_Enter : Qt::Key_Return;
        if (close == "OK")
            QTest::mouseClick(d["CmdOk"], Qt::LeftButton);
        else if (close == "close box")
            QVERIFY(d.window.close());
        else if (close == "Escape")
            QTest::keyClick(d["txtData"], Qt::Key_Escape);
        else
            for (const char* next : { "txtDate", "txtData", "CmdOk", "" }) {
                QTest::keyClick(
                    QApplication::focusWidget(), enter, enter == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
                QVERIFY(!*next || QApplication::focusWidget() == d[next]);
            }
        QVERIFY(!d.window.isVisible());
        QTEST(d.objData, "stored");
        QTEST(d.total, "newTotal");
    }

    // The program's dialog opens with the clock's date and hands the edited string back.
    void qtDetailsDialogUsesTheClock()
    {
        FakePlatform clock;
        clock.Today = QStringLiteral("03/04/2027");
        QString objData = QStringLiteral("250;;rust");
        double total = 250.0;
        QTimer::singleShot(0, this, [] {
            if (auto* dialog = qobject_cast<frmData*>(QApplication::activeModalWidget())) {
                QTest::keyClicks(Control<QLineEdit>(*dialog, "txtID"), "300"); // over the cost, selected
                QTest::mouseClick(Control<QPushButton>(*dialog, "CmdOk"), Qt::LeftButton);
            }
        });
        QtDetailsDialog(clock).ShowDetails(objData, total);
        QCOMPARE(objData + " " + QString::number(total), QStringLiteral("300;03/04/2027;rust 300"));
    }
};

QTEST_MAIN(DetailsTest)
#include "tst_details.moc"
