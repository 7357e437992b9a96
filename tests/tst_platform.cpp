// The Qt-backed platform: message boxes and dialogs as a user sees and closes them, the printer in twips on a page.
#include "Controls.h"
#include "DataRows.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "common/UserError.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtPrinter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBitmap>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPicture>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <functional>

#include <sys/resource.h>

namespace {

const char* const FontBoxes[] = { "FontName", "FontStyle", "FontSize", "FontColor" };

// Once a dialog shows: notes its title, what it shows (a box its text, buttons, a hidden one as nothing, and icon;
// the font dialog its choices) and its owner, enters a font, then closes it with Escape, a button, or "accept".
void OnTheDialog(QString& seen, const QString& way, const QStringList& font = {})
{
    QTimer::singleShot(0, [&seen, way, font] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QStringList shown;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            for (QAbstractButton* button : box->buttons())
                shown.append(button->isVisible() ? button->text().remove(u'&') : QString());
            shown.sort();
            const QStringList icons = { "none", "information", "warning", "critical", "question" };
            shown = QStringList { box->text() + " |" + shown.join(u' ') + ", " + icons[box->icon()] };
        } else if (dialog->objectName() == QStringLiteral("FontDialog")) {
            for (const char* name : FontBoxes)
                shown.append(Control<QComboBox>(*dialog, name)->currentText());
            for (const char* effect : { "Strikeout", "Underline" })
                shown.append(Control<QCheckBox>(*dialog, effect)->isChecked() ? effect : "");
        }
        seen = dialog->windowTitle() + " | " + shown.join(u',')
            + (dialog->parent() ? " in " + dialog->parent()->objectName() : "");
        for (qsizetype i = 0; i < font.size(); ++i)
            Control<QComboBox>(*dialog, FontBoxes[i])->setCurrentText(font[i]);
        if (way == QStringLiteral("Escape"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        if (way == QStringLiteral("accept"))
            dialog->accept();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->isVisible() && button->text().remove(u'&') == way)
                return button->click();
        }
    });
}

// The dots the canvas inks within an area of a white letter page at 300 dpi (4.8 twips a dot): from 840 by 250 twips
// "H\nH" then "H" in DejaVu Sans 14 pt bold, a black inch by half an inch at 840 by 900, a line at 13110 with a pen.
QRect Inked(int pen, QRect area)
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
    canvas.PrintText(painter, "H\nH");
    canvas.PrintText(painter, "H");
    QPicture drawing;
    QPainter(&drawing).fillRect(QRectF(0, 0, 1440, 720), Qt::black);
    canvas.DrawPicture(painter, 840, 900, drawing);
    canvas.SetPenWidth(pen);
    canvas.DrawLine(painter, 840, 13110, 3840, 13110);
    painter.end();
    const QImage dots = page.copy(area).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    return QRegion(QBitmap::fromImage(dots)).boundingRect().translated(area.topLeft());
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    // Closed without a button, a box answers Cancel, never No; the hidden Cancel that makes it so is never seen.
    void messageBoxShowsAndAnswers_data()
    {
        Columns<MsgButtons, MsgIcon, QString, MsgAnswer, QString>("buttons", "icon", "way", "answer", "shows");
        const QString in = " in frmPage";
        Row("Yes", MsgButtons::YesNo, MsgIcon::Information, "Yes", MsgAnswer::Yes, " No Yes, information" + in);
        Row("No", MsgButtons::YesNo, MsgIcon::Critical, "No", MsgAnswer::No, " No Yes, critical" + in);
        Row("Escape", MsgButtons::YesNo, MsgIcon::Information, "Escape", MsgAnswer::Cancel,
            " No Yes, information" + in);
        Row("OK", MsgButtons::OkCancel, MsgIcon::Information, "OK", MsgAnswer::Ok, "Cancel OK, information" + in);
        Row("OK, Escape", MsgButtons::Ok, MsgIcon::Critical, "Escape", MsgAnswer::Cancel, " OK, critical" + in);
    }
    void messageBoxShowsAndAnswers()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(MsgIcon, icon);
        QFETCH(QString, way);
        QString seen;
        QWidget preview; // the window the user works in, not the main window, owns the box
        preview.setObjectName("frmPage");
        preview.show();
        preview.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&preview));
        OnTheDialog(seen, way);
        QTEST(QtMessageBoxes().Show("Save Changes to the Current File", "Save Changes", buttons, icon), "answer");
        QTEST(seen.remove("Save Changes | Save Changes to the Current File |"), "shows");
    }

    // The font dialog starts from the font it is handed until a choice is made, then from the last choice of the run,
    // also after a cancel; a dialog belongs to the window asking. The program prints each copy: the system gets one.
    void commonDialogGivesTheChoice()
    {
        QtPrinter printer;
        QtCommonDialog dialogs(printer);
        QWidget preview;
        preview.setObjectName("frmPage");
        QString seen;
        OnTheDialog(seen, "Cancel");
        QVERIFY(!dialogs.ShowFont(QFont("Arial", 8, QFont::Bold), nullptr));
        QFont times("Times", 12, QFont::Bold, true);
        times.setStrikeOut(true);
        times.setUnderline(true);
        OnTheDialog(seen, "OK", { "Courier New", "Italic", "10.5", "Red" });
        const std::optional<FontChoice> choice = dialogs.ShowFont(times, &preview);
        QCOMPARE(seen, "Nimbrel - 1.0 : Font | Times,Bold Italic,12,Black,Strikeout,Underline in frmPage");
        QVERIFY(choice && choice->Strikeout && choice->Color == QColor(Qt::red));
        QCOMPARE(FakePlatform::FontText(choice->Font), QStringLiteral("Courier New 10.5 italic underline strikeout"));
        OnTheDialog(seen, "Cancel");
        QVERIFY(!dialogs.ShowFont(QFont("Arial", 8, QFont::Bold), nullptr));
        QCOMPARE(seen, QStringLiteral("Nimbrel - 1.0 : Font | Courier New,Italic,10.5,Red,Strikeout,Underline"));

        printer.Device().setCopyCount(3);
        OnTheDialog(seen, "accept");
        QCOMPARE(dialogs.ShowPrinter(&preview), 3);
        QCOMPARE(seen + ' ' + QString::number(printer.Device().copyCount()), "Print |  in frmPage 1");
        OnTheDialog(seen, "Cancel");
        QCOMPARE(dialogs.ShowPrinter(nullptr), std::nullopt);
    }

    // Lines are as thick as the preview shows them (15 twips a pixel, at least one); a text stands at its point
    // size below the current position, which then goes a line down to the left edge, as a line break does.
    void canvasDrawsAtItsTwips_data()
    {
        Columns<int, QRect, QRect>("pen", "area", "dots");
        // 14 pt is 58.3 dots: an H 42.5 high below the ascent, 54.1, in a line 67.9 high.
        Row("a text", 1, QRect(150, 0, 2400, 150), QRect(180, 63, 38, 43));
        Row("a line break, then the next text", 1, QRect(0, 0, 150, 3300), QRect(5, 131, 38, 111));
        Row("a drawing", 1, QRect(150, 150, 2400, 1850), QRect(175, 187, 300, 151));
        Row("a line of no width", 0, QRect(0, 2000, 2550, 1300), QRect(175, 2730, 625, 3));
        Row("a line 3 pixels wide", 3, QRect(0, 2000, 2550, 1300), QRect(175, 2727, 625, 9));
    }
    void canvasDrawsAtItsTwips()
    {
        QFETCH(int, pen);
        QFETCH(QRect, area);
        QTEST(Inked(pen, area), "dots");
    }

    // Each copy is a page of one document until it ends. A file goes in place only whole: one past a size limit
    // (as on a full disk) keeps the document before; a file in no folder is refused at once. Each says why.
    void printerWritesPagesOfOneDocument()
    {
        QTemporaryDir dir;
        QtPrinter printer;
        const QString path = dir.filePath("report.pdf");
        printer.Device().setOutputFileName(path);
        const auto pages = [&] { return ReadBytes(path).count("/Type /Page\n"); };
        const auto refusal = [](const std::function<void()>& print) {
            try {
                print();
            } catch (const UserError& error) {
                return error.Text();
            }
            return QString();
        };
        printer.PrintText("first");
        printer.NewPage();
        printer.PrintText("second");
        printer.EndDoc();
        QCOMPARE(pages(), 2);
        printer.PrintText("again");
        printer.EndDoc();
        QCOMPARE(pages(), 1);
        const QByteArray before = ReadBytes(path);
        rlimit was {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &was), 0);
        const rlimit limit { 1000, was.rlim_max };
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const QString full = refusal([&] { printer.PrintText("full"), printer.EndDoc(); });
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &was), 0);
        QCOMPARE(full, "Cannot write the file " + path + ": File too large.");
        QCOMPARE(ReadBytes(path), before);
        printer.Device().setOutputFileName(dir.filePath("no folder/report.pdf"));
        QCOMPARE(refusal([&] { printer.PrintText("Smith"); }),
            "Cannot write the file " + dir.filePath("no folder/report.pdf") + ": No such file or directory.");
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
