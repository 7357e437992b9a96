// The Qt-backed platform: message boxes and dialogs as the user sees and
// closes them, and the printer drawing in twips on a page.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "common/UserError.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtPrinter.h"
#include "platform/TwipsCanvas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBitmap>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const char* const FontBoxes[] = { "FontName", "FontStyle", "FontSize", "FontColor" };

// What a dialog shows under its title: a message box its text, buttons (a
// hidden one as nothing) and icon; the printer dialog its copies; the font
// dialog its font, style, size, colour and effects.
QString Shows(QWidget* dialog)
{
    QStringList shown;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        for (QAbstractButton* button : box->buttons())
            shown.append(button->isVisible() ? button->text().remove(u'&') : QString());
        shown.sort();
        const QStringList icons = { "none", "information", "warning", "critical", "question" };
        return box->text() + " |" + shown.join(u' ') + ", " + icons[box->icon()];
    }
    if (auto* copies = dialog->findChild<QSpinBox*>("copies"))
        return QString::number(copies->value());
    for (const char* box : FontBoxes)
        shown.append(Control<QComboBox>(*dialog, box)->currentText());
    for (const char* effect : { "Strikeout", "Underline" })
        shown.append(Control<QCheckBox>(*dialog, effect)->isChecked() ? effect : "");
    return shown.join(u',');
}

// Once a dialog shows: notes its title and what it shows, enters the copies
// or a font, then closes it as a user does: Escape, the close box, a button,
// or "accept" as the printer dialog's own print button would.
void OnTheDialog(QString& seen, const QString& way, const QString& entry = {})
{
    QTimer::singleShot(0, [&seen, way, entry] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        seen = dialog->windowTitle() + " | " + Shows(dialog);
        const QStringList values = entry.split(u',', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (auto* copies = dialog->findChild<QSpinBox*>("copies"))
                copies->setValue(values[i].toInt());
            else
                Control<QComboBox>(*dialog, FontBoxes[i])->setCurrentText(values[i]);
        }
        if (way == QStringLiteral("Escape"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        if (way == QStringLiteral("close"))
            dialog->close();
        if (way == QStringLiteral("accept"))
            dialog->accept();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->isVisible() && button->text().remove(u'&') == way)
                return button->click();
        }
    });
}

// What a script draws with the canvas (DejaVu Sans 14 pt bold, from 840 by 250
// twips) on a white letter page at 300 dpi, 4.8 twips a dot: the dots it
// inks within an area of the page.
QRect Inked(const QString& script, QRect area)
{
    QImage page(2550, 3300, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    QPainter painter(&page);
    TwipsCanvas::ScaleToTwips(painter);
    TwipsCanvas canvas;
    canvas.SetFont(QFont("DejaVu Sans", 14, QFont::Bold));
    canvas.SetCurrentX(840);
    canvas.SetCurrentY(250);
    for (const QString& step : script.split(QStringLiteral("; "))) {
        if (step.startsWith(QStringLiteral("text ")))
            canvas.PrintText(painter, step.mid(5));
        if (step.startsWith(QStringLiteral("pen ")))
            canvas.SetPenWidth(step.mid(4).toInt());
        if (step == QStringLiteral("line"))
            canvas.DrawLine(painter, 840, 13110, 3840, 13110);
        if (step == QStringLiteral("picture")) {
            QPicture drawing; // a black inch by half an inch, in twips
            QPainter(&drawing).fillRect(QRectF(0, 0, 1440, 720), Qt::black);
            canvas.DrawPicture(painter, 840, 900, drawing);
        }
    }
    painter.end();
    const QImage dots = page.copy(area).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    return QRegion(QBitmap::fromImage(dots)).boundingRect().translated(area.topLeft());
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    // Closed without a button, a box answers Cancel, never No; the hidden
    // Cancel that makes it so is never seen.
    void messageBoxShowsAndAnswers_data()
    {
        Columns<MsgButtons, MsgIcon, QString, MsgAnswer, QString>("buttons", "icon", "way", "answer", "shows");
        Row("Yes", MsgButtons::YesNo, MsgIcon::Information, "Yes", MsgAnswer::Yes, " No Yes, information");
        Row("No", MsgButtons::YesNo, MsgIcon::Critical, "No", MsgAnswer::No, " No Yes, critical");
        Row("Escape", MsgButtons::YesNo, MsgIcon::Information, "Escape", MsgAnswer::Cancel, " No Yes, information");
        Row("close box", MsgButtons::YesNo, MsgIcon::Information, "close", MsgAnswer::Cancel, " No Yes, information");
        Row("Cancel", MsgButtons::OkCancel, MsgIcon::Critical, "Cancel", MsgAnswer::Cancel, "Cancel OK, critical");
        Row("OK", MsgButtons::Ok, MsgIcon::Information, "OK", MsgAnswer::Ok, " OK, information");
        Row("OK, Escape", MsgButtons::Ok, MsgIcon::Critical, "Escape", MsgAnswer::Cancel, " OK, critical");
    }
    void messageBoxShowsAndAnswers()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(MsgIcon, icon);
        QFETCH(QString, way);
        QString seen;
        OnTheDialog(seen, way);
        QTEST(QtMessageBoxes().Show("Save Changes to the Current File", "Save Changes", buttons, icon), "answer");
        QTEST(seen.remove("Save Changes | Save Changes to the Current File |"), "shows");
    }

    // The font dialog starts from the font it is handed until a choice is
    // made, then from the last choice of the run, also after a cancel. The
    // program prints each copy itself: the print system is left one.
    void commonDialogGivesTheChoice()
    {
        QtPrinter printer;
        QtCommonDialog dialogs(printer);
        QString seen;
        OnTheDialog(seen, "Cancel");
        QVERIFY(!dialogs.ShowFont(QFont("Arial", 8, QFont::Bold)));
        QCOMPARE(seen, QStringLiteral("Font | Arial,Bold,8,Black,,"));
        QFont times("Times", 12, QFont::Bold, true);
        times.setStrikeOut(true);
        times.setUnderline(true);
        OnTheDialog(seen, "OK", "Courier New,Bold,10.5,Red");
        const std::optional<FontChoice> choice = dialogs.ShowFont(times);
        QCOMPARE(seen, QStringLiteral("Font | Times,Bold Italic,12,Black,Strikeout,Underline"));
        QVERIFY(choice && choice->Strikeout && choice->Color == QColor(Qt::red));
        QCOMPARE(FakePlatform::FontText(choice->Font), QStringLiteral("Courier New 10.5 bold underline strikeout"));
        OnTheDialog(seen, "Cancel");
        QVERIFY(!dialogs.ShowFont(QFont("Arial", 8, QFont::Bold)));
        QCOMPARE(seen, QStringLiteral("Font | Courier New,Bold,10.5,Red,Strikeout,Underline"));

        OnTheDialog(seen, "accept", "3");
        QCOMPARE(dialogs.ShowPrinter(), 3);
        QCOMPARE(printer.Device().copyCount(), 1);
        OnTheDialog(seen, "Cancel");
        QCOMPARE(dialogs.ShowPrinter(), std::nullopt);
        QCOMPARE(seen, QStringLiteral("Print | 1"));
    }

    // Drawings, lines and texts stand at their twips; lines are as thick as
    // the preview shows them (15 twips a pixel, at least one); a text stands
    // at its point size below the current position, which then goes a line
    // down to the left edge, as a line break does.
    void canvasDrawsAtItsTwips_data()
    {
        Columns<QString, QRect, QRect>("script", "area", "dots");
        const QRect page(0, 0, 2550, 3300);
        const QRect edge(0, 0, 150, 3300);
        Row("a drawing", "picture", page, QRect(175, 187, 300, 151));
        Row("a line", "line", page, QRect(175, 2730, 625, 3));
        Row("a line of no width", "pen 0; line", page, QRect(175, 2730, 625, 3));
        Row("a line 3 pixels wide", "pen 3; line", page, QRect(175, 2727, 625, 9));
        // 14 pt is 58.3 dots: an H 42.5 high below the ascent, 54.1, and a
        // line as high as ascent and descent, 67.9.
        Row("a text", "text H", page, QRect(180, 63, 38, 43));
        Row("the next text", "text H; text H", edge, QRect(5, 131, 38, 43));
        Row("a line break", "text H\nH", edge, QRect(5, 131, 38, 43));
    }
    void canvasDrawsAtItsTwips()
    {
        QFETCH(QString, script);
        QFETCH(QRect, area);
        QTEST(Inked(script, area), "dots");
    }

    // Each copy is a page of one document until it ends; a printer that
    // cannot write its file says which.
    void printerWritesPagesOfOneDocument()
    {
        QTemporaryDir dir;
        QtPrinter printer;
        printer.Device().setOutputFileName(dir.filePath("report.pdf"));
        const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-z])"));
        const auto pages = [&] { return QString::fromLatin1(ReadBytes(dir.filePath("report.pdf"))).count(page); };
        printer.PrintText("first");
        printer.NewPage();
        printer.PrintText("second");
        printer.EndDoc();
        QCOMPARE(pages(), 2);
        printer.PrintText("again");
        printer.EndDoc();
        QCOMPARE(pages(), 1);
        printer.Device().setOutputFileName(dir.filePath("no folder/report.pdf"));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        try {
            printer.PrintText("Smith");
            QFAIL("The printer wrote into a folder that is not there");
        } catch (const UserError& error) {
            QCOMPARE(error.Text(), "Cannot write the file " + dir.filePath("no folder/report.pdf") + '.');
        }
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
