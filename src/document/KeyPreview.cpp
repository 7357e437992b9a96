#include "KeyPreview.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>

KeyPreview::KeyPreview(QWidget* window, QList<QAction*> shortcuts)
    : QObject(window)
    , m_window(window)
    , m_shortcuts(std::move(shortcuts))
{
    qApp->installEventFilter(this);
}

bool KeyPreview::IsShortcut(const QKeyCombination& key) const
{
    const QKeySequence pressed(key);
    for (const QAction* action : m_shortcuts) {
        if (action->shortcuts().contains(pressed))
            return true;
    }
    return false;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    // Keys of this window only, each seen once: where it is first delivered,
    // at the widget with the focus (the window itself when none has it).
    QWidget* focus = QApplication::focusWidget();
    QObject* target = focus ? static_cast<QObject*>(focus) : m_window;
    if (watched != target || (focus && focus->window() != m_window) || QApplication::activeModalWidget())
        return false;
    // A menu bar walked with the keyboard takes its keys for itself.
    if (qobject_cast<QMenuBar*>(focus))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool inTextField = qobject_cast<QLineEdit*>(focus) != nullptr;
    if (type == QEvent::ShortcutOverride) {
        if (inTextField && IsShortcut(key->keyCombination())) {
            event->ignore(); // the shortcut, not the field, takes the key
            return true;
        }
        return false;
    }
    emit KeyDown(key->key(), key->modifiers(), inTextField);
    return false;
}
