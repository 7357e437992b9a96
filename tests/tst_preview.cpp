// The print preview as a user works it: the report of the group from the
// main window's "Print..", the header and footer with their fonts, "Header"
// and "Footer", and printing with the exact calls the printer gets.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "document/GroupFile.h"
#include "document/frmImage.h"
#include "objects/MarkerLayer.h"
#include "printing/PageArea.h"
#include "printing/TextBoxLines.h"
#include "printing/frmPage.h"

#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

const QString DesignHeader = QStringLiteral("Header Text : Click to Change");
const QString DesignFooter = QStringLiteral("Footer Text : Click to Change");

// The six slots of a group: pictures in the slots given, the rest empty.
QList<GroupPicture> Slots(const QList<GroupPicture>& filled)
{
    QList<GroupPicture> groupSlots = filled;
    while (groupSlots.size() < GroupSlotCount)
        groupSlots.append(GroupPicture {});
    return groupSlots;
}

// Where the header prints: centred by the width of its text in the preview
// window's own font, Arial 8.25 pt, not in the header's font.
QString HeaderX(const QString& header)
{
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPointSizeF(8.25);
    const double width = QFontMetricsF(windowFont).horizontalAdvance(header) * 15;
    return QStringLiteral("x ") + QString::number((9825 + 840 - width) / 2, 'g', QLocale::FloatingPointShortest);
}

// Everything one copy of the report prints, in order, with the window's
// design places and the printing layout: header at 250, page area at 900,
// footer at 14515.
QStringList CopyPrints(const QString& header, const QStringList& footerLines,
    const QString& headerFont = QStringLiteral("Arial 14.25 bold"),
    const QString& footerFont = QStringLiteral("Arial 8.25 bold"))
{
    QStringList lines { "font " + headerFont, HeaderX(header), "y 250", "text " + header, "picture 840 900", "x 840",
        "y 13200", "font Arial 8.25", "text Review", "x 840", "y 14040", "font Arial 8.25", "text Date", "pen 1",
        "line 840 13110 3840 13110", "pen 1", "line 840 13920 3840 13920", "pen 1", "line 4800 13110 10560 13110",
        "pen 1", "line 4800 13530 10560 13530", "pen 1", "line 4800 13950 10560 13950", "font " + footerFont,
        "y 14515" };
    for (const QString& line : footerLines)
        lines << "x 840"
              << "text " + line;
    return lines;
}

QByteArray Bytes(const QPicture& picture)
{
    return { picture.data(), qsizetype(picture.size()) };
}

// A drawing as the page area shows it.
QImage Shown(const PageArea& area)
{
    return const_cast<PageArea&>(area).grab().toImage();
}

// A shown print preview on the fake platform.
struct Preview {
    FakePlatform fake;
    QTemporaryDir dir;
    QPointer<frmPage> page = new frmPage(fake.Bundle());

    Preview()
    {
        page->show();
        if (!QTest::qWaitForWindowExposed(page))
            qFatal("The preview was not shown");
    }
    ~Preview() { delete page; }

    QTextEdit* Header() const { return Control<QTextEdit>(*page, "txtHeader"); }
    QTextEdit* Footer() const { return Control<QTextEdit>(*page, "txtfooter"); }
    PageArea* PrnBox() const { return Control<PageArea>(*page, "PrnBox"); }

    // A named group of one picture, composed.
    void ComposeSmith()
    {
        WriteJpeg(dir.filePath("a.jpg"), QSize(400, 300));
        page->Compose(dir.filePath("Smith.grp"), Slots({ { dir.filePath("a.jpg"), QString() } }), "8500");
    }

    // A command of the menu bar clicked with the mouse.
    void Click(QAction* command) const
    {
        QMenuBar* bar = page->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(command).center());
    }
    void ClickPrinterButton() const { QTest::mouseClick(Control<QToolButton>(*page, "cmdPrint"), Qt::LeftButton); }
    // Replaces a box's text by lines typed with Enter between them.
    void Type(QTextEdit* box, const QStringList& lines) const
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, lines[i]);
        }
    }
    // Whether the window was closed and discarded.
    bool Discarded()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return page.isNull();
    }
};

// A main window with a titled group of two pictures, the second one shown
// with its two markers.
struct MainWindow {
    FakePlatform fake;
    frmImage window { fake.Bundle() };
    QTemporaryDir dir;

    explicit MainWindow(const QString& name = QStringLiteral("Smith-Car.Final.grp"))
    {
        window.Form_Load(QString());
        WriteJpeg(dir.filePath("a.jpg"), QSize(640, 480));
        WriteJpeg(dir.filePath("b.jpg"), QSize(640, 480));
        WriteBytes(dir.filePath(name),
            FormatGroupFile("8500",
                { { dir.filePath("a.jpg"), "1;2;2;10;10;1;250;;," },
                    { dir.filePath("b.jpg"), "3;4;4;8;8;3;100;;,5;2;2;8;8;5;;;," } }));
        window.OpenFile(dir.filePath(name));
        window.ClipClicked(1, 1);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("The window did not become active");
    }

    // Ctrl+P where the focus is, as the keyboard sends it.
    frmPage* PressCtrlP()
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == &window ? focus : &window, Qt::Key_P, Qt::ControlModifier);
        const QList<frmPage*> previews = window.findChildren<frmPage*>();
        return previews.isEmpty() ? nullptr : previews.last();
    }
    void Activate()
    {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("The window did not become active again");
    }
};

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private slots:
    // The window as designed.

    void designContents()
    {
        Preview p;
        QCOMPARE(p.page->windowTitle(), QStringLiteral("Print Preview"));
        QCOMPARE(p.Header()->toPlainText(), DesignHeader);
        QCOMPARE(FakePlatform::FontText(p.Header()->font()), QStringLiteral("Arial 14.25 bold"));
        QCOMPARE(p.Footer()->toPlainText(), DesignFooter);
        QCOMPARE(FakePlatform::FontText(p.Footer()->font()), QStringLiteral("Arial 8.25 bold"));
        QCOMPARE(Control<QLabel>(*p.page, "lbDate")->text(), QStringLiteral("Review"));
        QCOMPARE(Control<QLabel>(*p.page, "lbName")->text(), QStringLiteral("Date"));
        QCOMPARE(p.page->Twips(p.PrnBox()), QRect(840, 900, 9795, 11790));
        // 15 twips to a pixel.
        QCOMPARE(p.PrnBox()->geometry(), QRect(56, 60, 653, 786));
        QCOMPARE(Control<QWidget>(*p.page, "Client")->minimumSize(), QSize(758, 1005));
        QCOMPARE(Control<QWidget>(*p.page, "Lines3")->geometry(), QRect(320, 902, 384, 1));
        QVERIFY(!p.page->mnuDamageList->isChecked());
    }

    // The composition.

    void headerIsTheGroupFileNameCutAtItsFirstPeriod_data()
    {
        Columns<QString, QString>("fileName", "header");
        Row("local path", "/home/ann/cars/Smith-Car.Final.grp", "Smith-Car");
        Row("Windows path", "C:\\cars\\Smith-Car.Final.grp", "Smith-Car");
        Row("untitled keeps the header", "", DesignHeader);
    }
    void headerIsTheGroupFileNameCutAtItsFirstPeriod()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, header);
        Preview p;
        p.fake.Now = QStringLiteral("14/07/2026 16:05");
        p.page->Compose(fileName, Slots({}), QString());
        QCOMPARE(p.Header()->toPlainText(), header);
        QCOMPARE(p.Footer()->toPlainText(), QStringLiteral("14/07/2026 16:05"));
    }

    void anUntitledGroupKeepsATypedHeaderAndRenewsTheFooter()
    {
        Preview p;
        p.page->Compose(QString(), Slots({}), QString());
        p.Type(p.Header(), { "Ann's sedan" });
        p.Type(p.Footer(), { "typed" });
        p.fake.Now = QStringLiteral("12/07/2026 09:31");
        p.page->Compose(QString(), Slots({}), QString());
        QCOMPARE(p.Header()->toPlainText(), QStringLiteral("Ann's sedan"));
        QCOMPARE(p.Footer()->toPlainText(), QStringLiteral("12/07/2026 09:31"));
        // A named group replaces it.
        p.page->Compose("/cars/Jones.grp", Slots({}), QString());
        QCOMPARE(p.Header()->toPlainText(), QStringLiteral("Jones"));
    }

    void aGroupWithoutPicturesLeavesThePageBlank()
    {
        Preview p;
        p.page->Compose("/cars/Smith.grp", Slots({}), QString());
        QImage blank(Shown(*p.PrnBox()).size(), QImage::Format_ARGB32_Premultiplied);
        QImage shown = Shown(*p.PrnBox()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        // White inside the sheet's edge.
        const QRect inside = shown.rect().adjusted(1, 1, -1, -1);
        blank.fill(Qt::white);
        QCOMPARE(shown.copy(inside), blank.copy(inside));
    }

    // Printing.

    // Every copy prints every element: as documents of their own, or as
    // pages of one when the printer writes a file.
    void printing_data()
    {
        // typed: the lines typed over the composed footer; none leaves it.
        Columns<int, bool, bool, QStringList, QStringList>("copies", "toFile", "damageList", "typed", "lines");
        const QStringList now { "12/07/2026 09:30" };
        Row("three copies are three documents", 3, false, false, QStringList {}, now);
        Row("copies written to a file are pages of one document", 3, true, false, QStringList {}, now);
        Row("the damage list is a second page of every copy", 2, false, true, QStringList {}, now);
        Row("footer lines print where the box breaks them", 1, false, false,
            QStringList { "Checked by Ann", "on the lot" }, QStringList { "Checked by Ann", "on the lot" });
        Row("an empty footer prints no lines", 1, false, false, QStringList { "" }, QStringList {});
    }
    void printing()
    {
        QFETCH(int, copies);
        QFETCH(bool, toFile);
        QFETCH(bool, damageList);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, lines);
        Preview p;
        p.ComposeSmith();
        if (damageList) {
            p.page->mnuOptions->popup(p.page->mapToGlobal(QPoint(0, 0)));
            p.page->mnuDamageList->trigger();
            QVERIFY(p.page->mnuDamageList->isChecked());
        }
        if (!typed.isEmpty())
            p.Type(p.Footer(), typed);
        const QPicture drawing = p.PrnBox()->Drawing();
        p.fake.PrinterAnswers = { copies };
        p.fake.PrinterWritesFile = toFile;
        p.ClickPrinterButton();
        // The page is the drawing the page area shows.
        QVERIFY(!p.fake.PrintedPictures.isEmpty());
        QCOMPARE(Bytes(p.fake.PrintedPictures[0]), Bytes(drawing));
        QStringList copy = CopyPrints("Smith", lines);
        if (damageList)
            copy << "page"
                 << "picture 0 0";
        QStringList printed;
        for (int i = 0; i < copies; ++i)
            printed << copy << (toFile && i + 1 < copies ? "page" : "end");
        QCOMPARE(p.fake.Printed, printed);
        QVERIFY(p.Discarded());
    }

    void thePrinterDialogCancelledPrintsNothingAndKeepsThePreview()
    {
        Preview p;
        p.ComposeSmith();
        p.Click(p.page->mnuFooter);
        const QRect footer = p.page->Twips(p.Footer());
        p.fake.PrinterAnswers = { std::nullopt };
        p.Click(p.page->mnuPrint);
        QCOMPARE(p.fake.Calls.last().Kind, QStringLiteral("printer"));
        QVERIFY(p.fake.Printed.isEmpty());
        QVERIFY(!p.Discarded());
        QVERIFY(p.page->isVisible());
        QVERIFY(p.page->isEnabled());
        // Nothing was laid out for printing.
        QCOMPARE(p.page->Twips(p.Footer()), footer);
        QVERIFY(p.Header()->isHidden());
    }

    void aPrinterThatFailsIsReportedAndThePreviewStaysUsable()
    {
        Preview p;
        p.ComposeSmith();
        p.fake.PrinterAnswers = { 2 };
        p.fake.PrinterFailure = QStringLiteral("Cannot print on the printer Office: it could not be opened.");
        p.ClickPrinterButton();
        const FakePlatform::Call message = p.fake.LastMessage();
        QCOMPARE(message.Text, p.fake.PrinterFailure);
        QCOMPARE(message.Title, QStringLiteral("Sub : Print"));
        QCOMPARE(message.Buttons, MsgButtons::Ok);
        QCOMPARE(message.Icon, MsgIcon::Information);
        QCOMPARE(p.fake.Printed, QStringList { "kill" });
        QVERIFY(!p.Discarded());
        QVERIFY(p.page->isEnabled());
        // Mended, the same window prints.
        p.fake.PrinterFailure.clear();
        p.fake.Printed.clear();
        p.fake.PrinterAnswers = { 1 };
        p.ClickPrinterButton();
        QCOMPARE(p.fake.Documents().size(), 1);
        QVERIFY(p.Discarded());
    }

    void afterFooterTheHeaderStillPrintsAtTheTopAndThePageBelowIt()
    {
        Preview p;
        p.ComposeSmith();
        p.Click(p.page->mnuFooter);
        // The footer on the client area's bottom edge, the page just above.
        QVERIFY(p.Header()->isHidden());
        QCOMPARE(p.page->Twips(p.Footer()), QRect(840, 15075 - 600, 9855, 600));
        QCOMPARE(p.page->Twips(p.PrnBox()), QRect(840, 14475 - 11790 - 50, 9795, 11790));
        QCOMPARE(QApplication::focusWidget(), p.Footer());
        // The signature lines and labels are now under the page, not on it.
        const auto* client = Control<QWidget>(*p.page, "Client");
        QCOMPARE(client->childAt(Control<QWidget>(*p.page, "Lines0")->geometry().center()), p.PrnBox());
        QCOMPARE(client->childAt(Control<QLabel>(*p.page, "lbDate")->geometry().center()), p.PrnBox());

        p.fake.PrinterAnswers = { 1 };
        p.Click(p.page->mnuPrint);
        QCOMPARE(p.fake.Documents(), QList<QStringList>({ CopyPrints("Smith", { "12/07/2026 09:30" }) << "end" }));
        // The window showed the printing layout.
        QCOMPARE(p.page->Twips(p.Header()), QRect(840, 250, 9825, 450));
        QCOMPARE(p.page->Twips(p.PrnBox()), QRect(840, 900, 9795, 11790));
        QCOMPARE(p.PrnBox()->geometry().topLeft(), QPoint(56, 60));
        QCOMPARE(p.page->Twips(p.Footer()), QRect(840, 14515, 9855, 600));
    }

    void headerPutsThePageBelowTheHeader()
    {
        Preview p;
        p.Click(p.page->mnuFooter);
        p.Click(p.page->mnuHeader);
        QVERIFY(p.Footer()->isHidden());
        QVERIFY(!p.Header()->isHidden());
        QCOMPARE(p.page->Twips(p.PrnBox()).top(), 250 + 450 + 200);
        QCOMPARE(QApplication::focusWidget(), p.Header());
    }

    void aHeaderOnTwoLinesPrintsAsOneText()
    {
        Preview p;
        p.ComposeSmith();
        p.Type(p.Header(), { "Smith", "Rear" });
        p.fake.PrinterAnswers = { 1 };
        p.Click(p.page->mnuPrint);
        const QStringList printed = p.fake.Printed;
        QCOMPARE(printed.mid(1, 3), QStringList({ HeaderX("Smith"), "y 250", "text Smith\nRear" }));
    }

    // The fonts of the boxes.

    void theFontDialogCancelledChangesNothing()
    {
        Preview p;
        const QFont before = p.Footer()->font();
        const QColor colour = p.Footer()->palette().color(QPalette::Text);
        QTest::mouseDClick(p.Footer()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(p.fake.Calls.size(), 1);
        QCOMPARE(p.fake.Calls[0].Kind, QStringLiteral("font"));
        QCOMPARE(p.Footer()->font(), before);
        QCOMPARE(p.Footer()->palette().color(QPalette::Text), colour);
    }

    void aChosenFontShowsWithoutStrikeout()
    {
        Preview p;
        QFont courier(QStringLiteral("Courier New"));
        courier.setPointSizeF(10);
        courier.setItalic(true);
        courier.setUnderline(true);
        courier.setStrikeOut(true);
        p.fake.FontAnswers = { FontChoice { courier, QColor(Qt::red), true } };
        QTest::mouseDClick(p.Footer()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        const QFont shown = p.Footer()->font();
        QCOMPARE(FakePlatform::FontText(shown), QStringLiteral("Courier New 10 italic underline"));
        QVERIFY(!shown.strikeOut());
        QCOMPARE(p.Footer()->palette().color(QPalette::Text), QColor(Qt::red));
        // The header keeps its own.
        QCOMPARE(FakePlatform::FontText(p.Header()->font()), QStringLiteral("Arial 14.25 bold"));

        p.ComposeSmith();
        p.fake.PrinterAnswers = { 1 };
        p.Click(p.page->mnuPrint);
        QCOMPARE(p.fake.Documents(),
            QList<QStringList>(
                { CopyPrints("Smith", { "12/07/2026 09:30" }, "Arial 14.25 bold", "Courier New 10 italic underline")
                    << "end" }));
    }

    void theHeaderGetsItsFontByADoubleClick()
    {
        Preview p;
        QFont times(QStringLiteral("Times New Roman"));
        times.setPointSizeF(18);
        p.fake.FontAnswers = { FontChoice { times, QColor(Qt::blue), false } };
        QTest::mouseDClick(p.Header()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        // The dialog was offered the box's font to start from.
        QCOMPARE(p.fake.Calls[0].Text, QStringLiteral("Arial 14.25 bold"));
        QCOMPARE(FakePlatform::FontText(p.Header()->font()), QStringLiteral("Times New Roman 18"));
        QCOMPARE(p.Header()->palette().color(QPalette::Text), QColor(Qt::blue));
    }

    // The lines of a text box.

    void textBoxLines_data()
    {
        Columns<QStringList, bool, QStringList>("typed", "keepHardLineBreaks", "lines");
        const QStringList two { "Checked by Ann", "on the lot" };
        Row("two typed lines", two, false, two);
        Row("two typed lines keeping their breaks", two, true, QStringList { "Checked by Ann\r\n", "on the lot\r\n" });
        Row("a line ended by Enter", QStringList { "Checked", "" }, false, QStringList { "Checked", "" });
        Row("empty", QStringList {}, false, QStringList {});
        Row("empty keeping breaks", QStringList {}, true, QStringList {});
    }
    void textBoxLines()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, keepHardLineBreaks);
        QFETCH(QStringList, lines);
        Preview p;
        p.Type(p.Footer(), typed);
        QCOMPARE(TextBoxGetLines(p.Footer(), keepHardLineBreaks), lines);
    }

    void aLongSentenceGivesTheLinesTheBoxWrapsItInto()
    {
        Preview p;
        QTextEdit* footer = p.Footer();
        // Two and a half box widths of short words.
        const QFontMetricsF metrics(footer->font());
        const double width = footer->viewport()->width() - 2 * footer->document()->documentMargin();
        QString sentence;
        for (int word = 0; metrics.horizontalAdvance(sentence) < 2.5 * width; ++word)
            sentence += (sentence.isEmpty() ? "" : " ") + QStringLiteral("damage%1").arg(word);
        p.Type(footer, { sentence });

        const QStringList lines = TextBoxGetLines(footer);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.join(QString()), sentence);
        for (int i = 0; i < lines.size(); ++i) {
            // Each line fits the box, and the next word would not have.
            QVERIFY(metrics.horizontalAdvance(lines[i].trimmed()) <= width);
            if (i + 1 < lines.size()) {
                QVERIFY(lines[i].endsWith(u' '));
                QVERIFY(metrics.horizontalAdvance(lines[i] + lines[i + 1].section(u' ', 0, 0)) > width);
            }
        }
        // Wrapped lines get no line end, only the last one.
        const QStringList kept = TextBoxGetLines(footer, true);
        QCOMPARE(kept, QStringList({ lines[0], lines[1], lines[2] + "\r\n" }));

        p.ComposeSmith();
        p.Type(footer, { sentence });
        p.fake.PrinterAnswers = { 1 };
        p.Click(p.page->mnuPrint);
        QCOMPARE(p.fake.Documents(), QList<QStringList>({ CopyPrints("Smith", lines) << "end" }));
    }

    // "Print.." in the main window.

    void printFromTheMainWindowComposesTheGroupAndChangesNothingThere()
    {
        MainWindow m;
        const QString lists[2] = { SlotList(m.window, 0), SlotList(m.window, 1) };
        QCOMPARE(m.window.CurrentImage, 1);
        QCOMPARE(m.window.ImageObjectCount, 2);
        QCOMPARE(m.window.GroupObjectCount, 3);
        const qint16 currentObject = m.window.CurrentObject;

        frmPage* preview = m.PressCtrlP();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QCOMPARE(Control<QTextEdit>(*preview, "txtHeader")->toPlainText(), QStringLiteral("Smith-Car"));
        QCOMPARE(Control<QTextEdit>(*preview, "txtfooter")->toPlainText(), m.fake.Now);
        QCOMPARE(m.window.CurrentImage, 1);
        QCOMPARE(m.window.ImageObjectCount, 2);
        QCOMPARE(m.window.GroupObjectCount, 3);
        QCOMPARE(m.window.CurrentObject, currentObject);
        QCOMPARE(m.window.ObjIDTotal, 350.0);
        QVERIFY(!m.window.Changed);
        QCOMPARE(SlotList(m.window, 0), lists[0]);
        QCOMPARE(SlotList(m.window, 1), lists[1]);
        QCOMPARE(Markers(m.window).DisplayedSlot(), 1);
    }

    void thePreviewIsReusedWhileOpenAndFreshOnceClosed()
    {
        MainWindow m(QStringLiteral("Smith.grp"));
        frmPage* first = m.PressCtrlP();
        QVERIFY(first);
        auto* footer = Control<QTextEdit>(*first, "txtfooter");
        footer->setPlainText("typed");
        QFont courier(QStringLiteral("Courier New"));
        courier.setPointSizeF(10);
        footer->setFont(courier);
        m.fake.Now = QStringLiteral("12/07/2026 09:45");
        m.Activate();
        QCOMPARE(m.PressCtrlP(), first);
        QCOMPARE(m.window.findChildren<frmPage*>().size(), 1);
        QCOMPARE(footer->toPlainText(), QStringLiteral("12/07/2026 09:45"));
        QCOMPARE(FakePlatform::FontText(footer->font()), QStringLiteral("Courier New 10"));

        QPointer<frmPage> closed = first;
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        m.Activate();
        frmPage* second = m.PressCtrlP();
        QVERIFY(second);
        QCOMPARE(FakePlatform::FontText(Control<QTextEdit>(*second, "txtfooter")->font()),
            QStringLiteral("Arial 8.25 bold"));
    }

    void anUntitledGroupKeepsTheHeaderOfTheOpenPreview()
    {
        FakePlatform fake;
        frmImage window(fake.Bundle());
        window.Form_Load(QString());
        window.mnuPrint_Click();
        auto* preview = window.findChild<frmPage*>();
        QVERIFY(preview);
        auto* header = Control<QTextEdit>(*preview, "txtHeader");
        QCOMPARE(header->toPlainText(), DesignHeader);
        header->setPlainText("Ann's sedan");
        window.mnuPrint_Click();
        QCOMPARE(header->toPlainText(), QStringLiteral("Ann's sedan"));
    }

    void aMarkerDeletedInTheMainWindowLeavesTheNextComposition()
    {
        MainWindow m;
        frmPage* preview = m.PressCtrlP();
        QVERIFY(preview);
        const QImage before = Shown(*Control<PageArea>(*preview, "PrnBox"));
        // The second picture's last marker deleted.
        m.Activate();
        QCOMPARE(m.window.CurrentObject, 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(m.window.GroupObjectCount, 2);
        QCOMPARE(m.PressCtrlP(), preview);
        const QImage after = Shown(*Control<PageArea>(*preview, "PrnBox"));

        Preview fresh;
        QList<GroupPicture> groupSlots;
        for (int slot = 0; slot < GroupSlotCount; ++slot)
            groupSlots.append({ SlotPath(m.window, slot), SlotList(m.window, slot) });
        fresh.page->Compose(m.window.FileName, groupSlots, QString());
        QVERIFY(before != after);
        QCOMPARE(after, Shown(*fresh.PrnBox()));
    }

    void closingTheMainWindowClosesThePreview()
    {
        MainWindow m;
        QPointer<frmPage> preview = m.PressCtrlP();
        QVERIFY(preview);
        m.window.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(preview.isNull());
    }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
