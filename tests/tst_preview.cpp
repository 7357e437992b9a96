// The print preview as a user works it: "Print..", the header and footer, their fonts, "Header", "Footer", "Print".
#include "DataRows.h"
#include "MainWindow.h"
#include "PaintRecorder.h"
#include "TestFiles.h"
#include "objects/MarkerLayer.h"
#include "platform/BusyPointer.h"
#include "platform/QtMessageBoxes.h"
#include "printing/PageArea.h"
#include "printing/TextBoxLines.h"
#include "printing/frmPage.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

// What one copy prints: the header centred by its first line's width in the window's own font (Arial 8.25 pt,
// 15 twips a pixel), at 250; the page area at 900; the labels; the lines; the footer's lines from 14515.
QStringList CopyPrints(const QString& header, const QStringList& footerLines,
    const QString& headerFont = "Arial 14.25 bold", const QString& footerFont = "Arial 8.25 bold")
{
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPointSizeF(8.25);
    const double x = (9825 + 840 - QFontMetricsF(windowFont).horizontalAdvance(header.section(u'\n', 0, 0)) * 15) / 2;
    QStringList lines
        = QStringLiteral("font %1|x %2|y 250|text %3|picture 840 900|x 840|y 13200|font Arial 8.25|"
                         "text Review|x 840|y 14040|font Arial 8.25|text Date|pen 1|line 840 13110 "
                         "3840 13110|pen 1|line 840 13920 3840 13920|pen 1|line 4800 13110 10560 13110|"
                         "pen 1|line 4800 13530 10560 13530|pen 1|line 4800 13950 10560 13950|font %4|y 14515")
              .arg(headerFont, QString::number(x, 'g', 17), header, footerFont)
              .split(u'|');
    for (const QString& line : footerLines)
        lines += { "x 840", "text " + line };
    return lines;
}

// Notes the pointer at each message and each printed document's end, and what each paint of a page area shows.
struct Watched : FakePlatform, QObject {
    QStringList Seen;
    static QString Pointer()
    {
        const QCursor* shown = QGuiApplication::overrideCursor();
        return shown && shown->shape() == Qt::WaitCursor ? "busy" : "ordinary";
    }
    MsgAnswer Show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override
    {
        Seen << Pointer();
        return FakePlatform::Show(text, title, buttons, icon);
    }
    void EndDoc() override
    {
        Seen << Pointer();
        FakePlatform::EndDoc();
    }
    bool eventFilter(QObject* area, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Seen << PaintRecorder(static_cast<PageArea*>(area)->Drawing()).Texts().join(' ') + ' ' + Pointer();
        return false;
    }
};

// A preview composed for Smith.grp: a.jpg with a Dent costing 250; the car is worth 8500.
struct Preview {
    Watched fake;
    QTemporaryDir dir;
    QPointer<frmPage> page = new frmPage(fake.Bundle());

    Preview()
    {
        WriteJpeg(dir.filePath("a.jpg"), QSize(300, 400));
        Control<PageArea>(*page, "PrnBox")->installEventFilter(&fake);
        page->Compose(dir.filePath("Smith.grp"), { { dir.filePath("a.jpg"), "1;2;2;10;10;1;250;;door," } }, "8500");
        QVERIFY(QTest::qWaitForWindowExposed(page));
    }
    ~Preview() { delete page; }
    QTextEdit* Header() const { return Control<QTextEdit>(*page, "txtHeader"); }
    QTextEdit* Footer() const { return Control<QTextEdit>(*page, "txtfooter"); }
    QRect Twips(const char* control) const { return page->Twips(Control<QWidget>(*page, control)); }
    // Whether a window a QPointer guards is closed and gone.
    static bool Gone(auto p) { return QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete), !p; }
    // A menu bar command clicked; the printer dialog answers with copies.
    void Click(QAction* command, std::optional<int> copies = 1)
    {
        fake.PrinterAnswers = { copies };
        QTest::mouseClick(page->menuBar(), Qt::LeftButton, {}, page->menuBar()->actionGeometry(command).center());
    }
};

frmPage* PressCtrlP(MainWindow& w)
{
    w.ShowActive(); // a preview in front counts it active: wait until the main window itself takes the keys
    if (QTest::qWaitFor([&w] { return QApplication::activeWindow() == &w.window; }))
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
    return w.window.findChild<frmPage*>();
}

// A preview's header, footer, the footer's font and the texts on its page.
QStringList Shown(const frmPage* preview)
{
    const auto* footer = Control<QTextEdit>(*preview, "txtfooter");
    return { Control<QTextEdit>(*preview, "txtHeader")->toPlainText(), footer->toPlainText(),
        FakePlatform::FontText(footer->font()),
        PaintRecorder(Control<PageArea>(*preview, "PrnBox")->Drawing()).Texts().join(' ') };
}

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private slots:
    // Copies are documents of their own, or pages of one when the printer writes a file; a damage list follows each.
    // Keep Proportions redraws the page (a.jpg is portrait) and stays for the previews that follow in the run.
    // "Composing..." shows until the page is ready, and the pointer is busy while the page is made and the copies go.
    void printing_data()
    {
        Columns<bool, bool, bool>("toFile", "damageList", "keep");
        Row("two copies written to a file are pages of one document", true, false, false);
        Row("two copies with the damage list, proportions kept, are two documents", false, true, true);
    }
    void printing()
    {
        QFETCH(bool, toFile);
        QFETCH(bool, damageList);
        QFETCH(bool, keep);
        Preview p;
        p.page->mnuKeepProportions->setChecked(keep);
        QCOMPARE(p.fake.Seen.first(), "Composing... busy");
        QTRY_COMPARE(p.fake.Seen.last(), "1 ordinary");
        p.fake.Seen.clear();
        p.page->mnuDamageList->setChecked(damageList);
        p.fake.PrinterWritesFile = toFile;
        p.fake.PrinterAnswers = { 2 };
        QTest::mouseClick(Control<QToolButton>(*p.page, "cmdPrint"), Qt::LeftButton);
        const QStringList copy = CopyPrints("Smith", { p.fake.Now })
            + (damageList ? QStringList { "page", "picture 0 0" } : QStringList {});
        QCOMPARE(p.fake.Printed, copy + QStringList { toFile ? "page" : "end" } + copy + QStringList { "end" });
        QVERIFY(p.Gone(p.page));
        frmPage next(p.fake.Bundle());
        QCOMPARE(next.mnuKeepProportions->isChecked(), keep);
        next.mnuKeepProportions->setChecked(false);
        QCOMPARE((p.fake.Seen << Watched::Pointer()).join(' '), toFile ? "busy ordinary" : "busy busy ordinary");
        // The page: a.jpg in cell one, never enlarged, its Dent numbered; the list: from the header's corner, totalled.
        const QStringList expected { keep ? "image 1071,0 2755x3673 300x400 1" : "image 0,0 4898x3673 300x400 1",
            "text Damage List 840,250 285 bold 8250" };
        for (int i = 0; i <= int(damageList); ++i) {
            const PaintRecorder shown(p.fake.PrintedPictures[i]); // its first record and its last text
            QCOMPARE(PaintRecorder::Shown(shown.Records[0]) + " " + shown.Texts().last(), expected[i]);
        }
    }

    // A double click offers a box's font, never struck out; "Footer" puts the page over the signature lines, "Header"
    // below the header; a cancelled or failed print keeps the preview; printing puts all back, in the boxes' lines.
    void editingThenPrinting()
    {
        Preview p;
        QFont mono("Courier New", 10, QFont::Normal, true);
        mono.setUnderline(true);
        mono.setStrikeOut(true);
        p.fake.FontAnswers
            = { {}, FontChoice { QFont("Times", 18), Qt::blue, false }, FontChoice { mono, Qt::red, true } };
        for (QTextEdit* box : { p.Footer(), p.Header(), p.Footer() })
            QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        QStringList shown;
        for (const FakePlatform::Call& call : p.fake.Calls)
            shown << call.Kind + " " + call.Text;
        for (const QTextEdit* box : { p.Header(), p.Footer() })
            shown << FakePlatform::FontText(box->font()) + " " + box->palette().text().color().name();
        QCOMPARE(shown,
            QStringList({ "font Arial 8.25 bold", "font Arial 14.25 bold", "font Arial 8.25 bold", "Times 18 #0000ff",
                "Courier New 10 italic underline #ff0000" }));

        p.Click(p.page->mnuFooter);
        QVERIFY(p.Header()->isHidden() && !p.Footer()->isHidden() && QApplication::focusWidget() == p.Footer());
        QCOMPARE(QList<QRect>({ p.Twips("txtfooter"), p.Twips("PrnBox") }),
            QList<QRect>({ QRect(840, 14475, 9855, 600), QRect(840, 2635, 9795, 11790) }));
        for (const char* under : { "Lines0", "lbDate" })
            QVERIFY(p.page->childAt(p.page->mapFromGlobal(Control<QWidget>(*p.page, under)->mapToGlobal(QPoint(1, 0))))
                == p.page->findChild<PageArea*>());
        p.Click(p.page->mnuHeader);
        QVERIFY(!p.Header()->isHidden() && p.Footer()->isHidden() && QApplication::focusWidget() == p.Header());
        QCOMPARE(p.Twips("PrnBox").top(), 250 + 450 + 200);
        p.Click(p.page->mnuFooter);

        QTest::keyClick(p.Header(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(p.Header(), "\rRear"); // Enter is a carriage return
        QTest::keyClick(p.Footer(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(p.Footer(), Qt::Key_Delete);
        QCOMPARE(TextBoxGetLines(p.Footer(), true), QStringList());
        const double width = p.Footer()->viewport()->width() - 2 * p.Footer()->document()->documentMargin();
        QString sentence = "damage";
        for (int word = 1; QFontMetricsF(p.Footer()->font()).horizontalAdvance(sentence) < 2.5 * width; ++word)
            sentence += QStringLiteral(" damage%1").arg(word);
        QTest::keyClicks(p.Footer(), sentence + "\ron the lot\r");
        const QStringList lines = TextBoxGetLines(p.Footer());
        QCOMPARE(lines.mid(0, 3).join(QString()) + "|" + lines.mid(3).join('|'), sentence + "|on the lot|");
        QCOMPARE(TextBoxGetLines(p.Footer(), true),
            QStringList({ lines[0], lines[1], lines[2] + "\r\n", "on the lot\r\n", "\r\n" }));

        p.Click(p.page->mnuPrint, std::nullopt);
        QVERIFY(p.fake.Printed.isEmpty() && !p.Gone(p.page) && p.page->isEnabled() && p.Header()->isHidden());
        QCOMPARE(p.Twips("txtfooter"), QRect(840, 14475, 9855, 600)); // where "Footer" put it
        p.fake.PrinterFailure = QStringLiteral("Cannot print on the printer Office: it could not be opened.");
        p.Click(p.page->mnuPrint, 2);
        const FakePlatform::Call message = p.fake.LastMessage();
        QCOMPARE(message.Text + " | " + message.Title, p.fake.PrinterFailure + " | Sub : Print");
        QVERIFY(message.Buttons == MsgButtons::Ok && message.Icon == MsgIcon::Information);
        QVERIFY(p.fake.Printed == QStringList { "kill" } && !p.Gone(p.page) && p.page->isEnabled()
            && Watched::Pointer() == "ordinary");
        p.fake.PrinterFailure.clear();
        p.Click(p.page->mnuPrint);
        QCOMPARE(p.fake.Printed.mid(1),
            CopyPrints("Smith\nRear", lines, "Times 18", "Courier New 10 italic underline") << "end");
        for (const FakePlatform::Call& call : p.fake.Calls) // the dialogs belong to the preview, in front of it
            QVERIFY2(call.Owner == p.page || call.Kind == "message", qPrintable(call.Kind));
    }

    // "Print..": one preview, shown as designed (15 twips a pixel) and reused while open (an untitled group keeps a
    // typed header, a named one replaces it; the fonts stay, the footer is renewed), fresh once closed; the main
    // window unchanged; a deleted marker gone from the next composition; closed with the main window.
    void printComposesTheGroupInOnePreview()
    {
        MainWindow w;
        QPointer<frmPage> preview = PressCtrlP(w);
        QStringList design { preview->windowTitle(), Control<QLabel>(*preview, "lbDate")->text(),
            Control<QLabel>(*preview, "lbName")->text(), Control<QToolButton>(*preview, "cmdPrint")->toolTip(),
            Control<PageArea>(*preview, "PrnBox")->grab().toImage().pixelColor(300, 400).name(),
            FakePlatform::FontText(Control<QTextEdit>(*preview, "txtHeader")->font()) };
        for (const QAction* command : preview->menuBar()->actions() + preview->mnuOptions->actions())
            design << command->text() + (command->isChecked() ? " checked" : "");
        QCOMPARE(design,
            QStringList({ "Print Preview", "Review", "Date", "Print", "#ffffff", "Arial 14.25 bold", "Print", "Header",
                "Footer", "Options", "Damage List", "Keep Proportions" }));
        QCOMPARE(Control<QWidget>(*preview, "Lines3")->geometry(), QRect(320, 902, 384, 1));
        QCOMPARE(Control<QWidget>(*preview, "Client")->minimumSize(), QSize(758, 1005));
        QCOMPARE(Shown(preview), QStringList({ "Header Text : Click to Change", w.fake.Now, "Arial 8.25 bold", "" }));
        Control<QTextEdit>(*preview, "txtHeader")->setPlainText("Ann's sedan");
        Control<QTextEdit>(*preview, "txtfooter")->setFont(QFont("Courier New", 10));
        w.fake.Now = QStringLiteral("12/07/2026 09:45");
        Watched watch; // the open preview shows "Composing..." over its page too
        Control<PageArea>(*preview, "PrnBox")->installEventFilter(&watch);
        QCOMPARE(PressCtrlP(w), preview.data());
        QVERIFY(watch.Seen.contains("Composing... busy"));
        QCOMPARE(Shown(preview), QStringList({ "Ann's sedan", w.fake.Now, "Courier New 10", "" }));
        w.window.OpenFile(w.Group("Smith-Car.Final.grp", "8500",
            { { w.Path("a.jpg"), "1;2;2;10;10;1;250;;," }, { w.Path("b.jpg"), "3;4;4;8;8;3;100;;,5;2;2;8;8;5;;;," } }));
        w.window.ClipClicked(1, 1);
        const auto state = [&w] {
            return QStringList { w.Label("LblTotal"), w.Label("LblIDTotal"), w.List(1), w.Changed() ? "changed" : "",
                QString::number(w.Current() * 100 + w.Selected() * 10 + w.OBJ().Model().DisplayedSlot()) };
        };
        const QStringList before = state();
        QCOMPARE(PressCtrlP(w), preview.data());
        QCOMPARE(Shown(preview), QStringList({ "Smith-Car", w.fake.Now, "Courier New 10", "1 1 2" }));
        QCOMPARE(state(), before);
        w.ShowActive();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(PressCtrlP(w), preview.data());
        QCOMPARE(Shown(preview), QStringList({ "Smith-Car", w.fake.Now, "Courier New 10", "1 1" }));
        preview->close();
        QVERIFY(Preview::Gone(preview));
        preview = PressCtrlP(w);
        QCOMPARE(Shown(preview), QStringList({ "Smith-Car", w.fake.Now, "Arial 8.25 bold", "1 1" }));
        w.fake.Answers = { MsgAnswer::No };
        w.window.close();
        QVERIFY(Preview::Gone(preview));
    }

    // A group opens and a picture shows under the busy pointer, a real message box on the way under the ordinary one.
    void busyWhileAGroupOpens()
    {
        MainWindow w;
        Watched fake;
        frmImage window(fake.Bundle());
        const QString seven = w.Group("7.grp", "", QList<GroupPicture>(7, { w.Path("a.jpg"), "1;1;1;9;9;1;;;,x" }));
        window.OpenFile(seven);
        window.ClipClicked(0, 1);
        WriteBytes(seven, "\"");
        window.OpenFile(seven);
        const BusyPointer busy;
        QTimer::singleShot(0, [&fake] { fake.Seen << Watched::Pointer(); });
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QtMessageBoxes().Show("Saved", "Save", MsgButtons::Ok, MsgIcon::Information);
        QCOMPARE(fake.Seen << Watched::Pointer(), QStringList({ "busy", "busy", "ordinary", "ordinary", "busy" }));
    }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
