// The Qt-backed message boxes: the buttons a user sees and the answer each
// way of closing a box gives.
#include "common/UserError.h"
#include "platform/FontColorDialog.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtPrinter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontComboBox>
#include <QMessageBox>
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
