// The Qt-backed message boxes: the buttons a user sees and the answer each
// way of closing a box gives.
#include "platform/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
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
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
