// The Qt-backed message boxes: the buttons a user sees and the answer each
// way of closing a box gives.
#include "common/UserError.h"
#include "platform/FontColorDialog.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtPrinter.h"
#include "platform/TwipsCanvas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontComboBox>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs an action on the message box once it is shown, and notes the texts
// of its visible buttons.
void OnTheBox(QStringList& buttons, std::function<void(QMessageBox*)> action)
{
    QTimer::singleShot(0, [&buttons, action] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton* button : box->buttons()) {
            if (button->isVisible())
                buttons.append(button->text().remove(u'&'));
        }
        buttons.sort();
        action(box);
    });
}

// What the font dialog showed when it opened.
struct FontShown {
    QString Name;
    QString Style;
    QString Size;
    bool Strikeout = false;
    bool Underline = false;
    QString Color;
};

// Notes what the font dialog shows once it is open, then runs an action on it.
void OnTheFontDialog(FontShown& shown, std::function<void(FontColorDialog*)> action)
{
    QTimer::singleShot(0, [&shown, action] {
        auto* dialog = qobject_cast<FontColorDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown.Name = dialog->findChild<QFontComboBox*>("FontName")->currentText();
        shown.Style = dialog->findChild<QComboBox*>("FontStyle")->currentText();
        shown.Size = dialog->findChild<QComboBox*>("FontSize")->currentText();
        shown.Strikeout = dialog->findChild<QCheckBox*>("Strikeout")->isChecked();
        shown.Underline = dialog->findChild<QCheckBox*>("Underline")->isChecked();
        shown.Color = dialog->findChild<QComboBox*>("FontColor")->currentText();
        action(dialog);
    });
}

// Chooses Courier New 10 pt italic, underlined, struck out, in red.
void ChooseCourierRed(FontColorDialog* dialog)
{
    dialog->findChild<QFontComboBox*>("FontName")->setEditText("Courier New");
    dialog->findChild<QComboBox*>("FontStyle")->setCurrentText("Italic");
    dialog->findChild<QComboBox*>("FontSize")->setEditText("10");
    dialog->findChild<QCheckBox*>("Strikeout")->setChecked(true);
    dialog->findChild<QCheckBox*>("Underline")->setChecked(true);
    dialog->findChild<QComboBox*>("FontColor")->setCurrentText("Red");
    dialog->accept();
}

// The pages of a PDF file: its page objects.
int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-z])"));
    int pages = 0;
    for (auto match = page.globalMatch(QString::fromLatin1(file.readAll())); match.hasNext(); match.next())
        ++pages;
    return pages;
}

// A white letter-size page at 300 dots per inch, 4.8 twips a dot.
QImage Page()
{
    QImage page(2550, 3300, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    return page;
}

// The dots of a page that are not white.
QRect Inked(const QImage& page)
{
    QRect inked;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(line[x]) < 128)
                inked |= QRect(x, y, 1, 1);
        }
    }
    return inked;
}

} // namespace

Q_DECLARE_METATYPE(MsgAnswer)

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void yesNoAnswers_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("Yes") << "yes" << MsgAnswer::Yes;
        QTest::newRow("No") << "no" << MsgAnswer::No;
        QTest::newRow("Escape cancels") << "escape" << MsgAnswer::Cancel;
        QTest::newRow("the close box cancels") << "close" << MsgAnswer::Cancel;
    }
    void yesNoAnswers()
    {
        QFETCH(QString, way);
        QFETCH(MsgAnswer, answer);
        QtMessageBoxes messages;
        QStringList buttons;
        OnTheBox(buttons, [way](QMessageBox* box) {
            if (way == "yes")
                box->button(QMessageBox::Yes)->click();
            else if (way == "no")
                box->button(QMessageBox::No)->click();
            else if (way == "escape")
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        QCOMPARE(
            messages.Show("Save Changes to the Current File", "Save Changes", MsgButtons::YesNo, MsgIcon::Information),
            answer);
        QCOMPARE(buttons, (QStringList { "No", "Yes" }));
    }

    void okCancelShowsBoth()
    {
        QtMessageBoxes messages;
        QStringList buttons;
        OnTheBox(buttons, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(messages.Show("text", "Sub : NewFile", MsgButtons::OkCancel, MsgIcon::Critical), MsgAnswer::Cancel);
        QCOMPARE(buttons, (QStringList { "Cancel", "OK" }));
    }

    void fontDialogStartsFromTheBoxWhenNothingWasChosen()
    {
        QtPrinter printer;
        QtCommonDialog dialogs(printer);
        FontShown shown;
        OnTheFontDialog(shown, [](FontColorDialog* dialog) { dialog->reject(); });
        QFont arial("Arial");
        arial.setPointSizeF(8.25);
        arial.setBold(true);
        QVERIFY(!dialogs.ShowFont(arial));
        QCOMPARE(shown.Name, QStringLiteral("Arial"));
        QCOMPARE(shown.Style, QStringLiteral("Bold"));
        QCOMPARE(shown.Size, QStringLiteral("8.25"));
        QCOMPARE(shown.Color, QStringLiteral("Black"));
    }

    void fontDialogGivesTheChoiceWithItsEffectsAndColour()
    {
        QtPrinter printer;
        QtCommonDialog dialogs(printer);
        FontShown shown;
        OnTheFontDialog(shown, ChooseCourierRed);
        const std::optional<FontChoice> choice = dialogs.ShowFont(QFont("Arial"));
        QVERIFY(choice);
        QCOMPARE(choice->Font.family(), QStringLiteral("Courier New"));
        QCOMPARE(choice->Font.pointSizeF(), 10.0);
        QVERIFY(!choice->Font.bold());
        QVERIFY(choice->Font.italic());
        QVERIFY(choice->Font.underline());
        QVERIFY(choice->Strikeout);
        QCOMPARE(choice->Color, QColor(Qt::red));
    }

    void fontDialogOpensWithTheLastChoiceOfTheRun()
    {
        QtPrinter printer;
        QtCommonDialog dialogs(printer);
        FontShown first;
        OnTheFontDialog(first, ChooseCourierRed);
        QVERIFY(dialogs.ShowFont(QFont("Arial")));
        // Not preset from the font it is handed: the last choice stands,
        // also after a cancel.
        for (int round = 0; round < 2; ++round) {
            FontShown shown;
            OnTheFontDialog(shown, [](FontColorDialog* dialog) { dialog->reject(); });
            QVERIFY(!dialogs.ShowFont(QFont("Times")));
            QCOMPARE(shown.Name, QStringLiteral("Courier New"));
            QCOMPARE(shown.Style, QStringLiteral("Italic"));
            QCOMPARE(shown.Size, QStringLiteral("10"));
            QVERIFY(shown.Strikeout);
            QVERIFY(shown.Underline);
            QCOMPARE(shown.Color, QStringLiteral("Red"));
        }
    }

    void printerDialogGivesTheCopiesAndLeavesOneToThePrintSystem()
    {
        QtPrinter printer;
        QtCommonDialog dialogs(printer);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->findChild<QSpinBox*>("copies")->setValue(3);
            dialog->accept();
        });
        QCOMPARE(dialogs.ShowPrinter(), std::optional<int>(3));
        QCOMPARE(printer.Device().copyCount(), 1);
    }

    void printerDialogCancelledGivesNoCopies()
    {
        QtPrinter printer;
        QtCommonDialog dialogs(printer);
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        QCOMPARE(dialogs.ShowPrinter(), std::nullopt);
    }

    void aDrawingPrintsAtItsTwipsOnThePage()
    {
        QPicture drawing;
        QPainter recorder(&drawing);
        recorder.fillRect(QRectF(0, 0, 1440, 720), Qt::black);
        recorder.end();
        QImage page = Page();
        QPainter painter(&page);
        TwipsCanvas::ScaleToTwips(painter);
        TwipsCanvas canvas;
        canvas.DrawPicture(painter, 840, 900, drawing);
        painter.end();
        // One inch by half an inch from (840, 900) twips: 300 x 150 dots at
        // (175, 187.5).
        const QRect inked = Inked(page);
        QVERIFY2(qAbs(inked.left() - 175) <= 1 && qAbs(inked.top() - 187) <= 1, qPrintable(QDebug::toString(inked)));
        QVERIFY2(
            qAbs(inked.width() - 300) <= 2 && qAbs(inked.height() - 150) <= 2, qPrintable(QDebug::toString(inked)));
    }

    void aLinePrintsAsThickAsThePreviewShowsIt()
    {
        QImage page = Page();
        QPainter painter(&page);
        TwipsCanvas::ScaleToTwips(painter);
        TwipsCanvas canvas;
        canvas.SetPenWidth(1);
        canvas.DrawLine(painter, 840, 13110, 3840, 13110);
        painter.end();
        // 15 twips thick, 3.1 dots, centred on 13110 twips: 2731.25 dots.
        const QRect inked = Inked(page);
        QVERIFY2(qAbs(inked.left() - 175) <= 1 && qAbs(inked.right() - 799) <= 1, qPrintable(QDebug::toString(inked)));
        QVERIFY2(
            inked.top() >= 2728 && inked.bottom() <= 2734 && inked.height() >= 3, qPrintable(QDebug::toString(inked)));
    }

    void textPrintsAtItsPointSizeFromTheCurrentPosition()
    {
        QImage page = Page();
        QPainter painter(&page);
        TwipsCanvas::ScaleToTwips(painter);
        TwipsCanvas canvas;
        QFont arial("Arial");
        arial.setPointSizeF(14.25);
        arial.setBold(true);
        canvas.SetFont(arial);
        canvas.SetCurrentX(840);
        canvas.SetCurrentY(250);
        canvas.PrintText(painter, "HHHH");
        painter.end();
        // The capitals of 14.25 pt Arial stand about 10 pt high: 42 dots,
        // below the top at 250 twips (52 dots), from the left at 840 twips.
        const QRect inked = Inked(page);
        QVERIFY2(inked.top() > 52 && inked.top() < 52 + 25, qPrintable(QDebug::toString(inked)));
        QVERIFY2(inked.height() > 36 && inked.height() < 48, qPrintable(QDebug::toString(inked)));
        QVERIFY2(inked.left() >= 175 && inked.left() < 175 + 10, qPrintable(QDebug::toString(inked)));
        // Then the next line: X back to 0, Y one line lower: the font's
        // height, a little more than its 285 twips.
        QCOMPARE(canvas.CurrentX(), 0.0);
        QVERIFY2(canvas.CurrentY() >= 250 + 285 && canvas.CurrentY() < 250 + 1.5 * 285,
            qPrintable(QString::number(canvas.CurrentY())));
    }

    void aLineBreakInATextStartsItsNextLineAtTheLeftEdge()
    {
        QImage page = Page();
        QPainter painter(&page);
        TwipsCanvas::ScaleToTwips(painter);
        TwipsCanvas canvas;
        canvas.SetFont(QFont("Arial", 12));
        canvas.SetCurrentX(2880);
        canvas.SetCurrentY(1440);
        canvas.PrintText(painter, "H\nH");
        painter.end();
        // The first H two inches in, the second at the edge, a line lower.
        const QRect inked = Inked(page);
        QVERIFY2(inked.left() < 10 && inked.right() > 600, qPrintable(QDebug::toString(inked)));
        QVERIFY(Inked(page.copy(0, 0, 100, 3300)).top() > Inked(page.copy(500, 0, 2050, 3300)).bottom());
    }

    void printerWritesPagesOfOneDocumentUntilItEnds()
    {
        QTemporaryDir dir;
        QtPrinter printer;
        printer.Device().setOutputFormat(QPrinter::PdfFormat);
        printer.Device().setOutputFileName(dir.filePath("report.pdf"));
        QVERIFY(printer.WritesFile());
        for (int copy = 0; copy < 3; ++copy) {
            if (copy > 0)
                printer.NewPage();
            printer.SetFont(QFont("Arial", 14));
            printer.SetCurrentX(840);
            printer.SetCurrentY(250);
            printer.PrintText("Smith");
            printer.SetPenWidth(1);
            printer.DrawLine(840, 13110, 3840, 13110);
        }
        printer.EndDoc();
        QCOMPARE(PdfPages(dir.filePath("report.pdf")), 3);
        // The next output is a new document.
        printer.PrintText("Again");
        printer.EndDoc();
        QCOMPARE(PdfPages(dir.filePath("report.pdf")), 1);
    }

    void printerThatCannotWriteItsFileSaysSo()
    {
        QTemporaryDir dir;
        QtPrinter printer;
        printer.Device().setOutputFormat(QPrinter::PdfFormat);
        printer.Device().setOutputFileName(dir.filePath("no folder/report.pdf"));
        try {
            printer.PrintText("Smith");
            QFAIL("The printer printed into a folder that does not exist");
        } catch (const UserError& failure) {
            QCOMPARE(
                failure.Text(), QStringLiteral("Cannot write the file %1.").arg(dir.filePath("no folder/report.pdf")));
        }
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
