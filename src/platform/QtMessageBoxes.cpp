#include "QtMessageBoxes.h"

#include "BusyPointer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

QtMessageBoxes::QtMessageBoxes(QWidget* parent)
    : m_parent(parent)
{
}

void QtMessageBoxes::SetParent(QWidget* parent)
{
    m_parent = parent;
}

MsgAnswer QtMessageBoxes::Show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    // A box belongs to the window the user is working in (the preview, a
    // dialog), so that it opens over it and leaves it in front.
    QWidget* active = QApplication::activeWindow();
    QMessageBox box(active && active->isVisible() ? active : m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::Information);
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    // Escape and the close box answer Cancel, never No: a Yes/No question
    // closed without an answer must not be taken as "discard". The Cancel
    // button is there for that and stays hidden where it is not asked for.
    QAbstractButton* cancel = box.button(QMessageBox::Cancel);
    if (!cancel) {
        cancel = box.addButton(QMessageBox::Cancel);
        cancel->hide();
    }
    box.setEscapeButton(cancel);
    // The box waits for the user, not for the work that put it up.
    const BusyPointer::Paused ready;
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == box.button(QMessageBox::Yes))
        return MsgAnswer::Yes;
    if (clicked == box.button(QMessageBox::No))
        return MsgAnswer::No;
    if (clicked == box.button(QMessageBox::Ok))
        return MsgAnswer::Ok;
    return MsgAnswer::Cancel;
}
