#pragma once

#include <QList>
#include <QObject>

class QAction;
class QWidget;

// Lets a window see every key pressed in it before the control with the
// focus does, and keeps its menu shortcuts working while a text field has
// the focus (a line edit would otherwise take keys such as Ctrl+E for
// itself). The key still reaches the focused control afterwards.
class KeyPreview : public QObject {
    Q_OBJECT

public:
    // shortcuts: the actions whose shortcuts a text field must not take.
    KeyPreview(QWidget* window, QList<QAction*> shortcuts);

signals:
    // inTextField: a text field has the focus.
    void KeyDown(int key, Qt::KeyboardModifiers modifiers, bool inTextField);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] bool IsShortcut(const QKeyCombination& key) const;

    QWidget* m_window;
    QList<QAction*> m_shortcuts;
};
