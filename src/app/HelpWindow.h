#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class Shell;
class frmImage;

// The help pages in a window of the program, for a desktop that has no web
// browser to show them.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(const QUrl& page, QWidget* parent = nullptr);

    // "Instructions": the help's first page in the user's browser; when no
    // browser can be started, in the help window of the parent (made once
    // and shown again), so the user never gets nothing.
    static void mnuInstruct_Click(Shell& shell, QWidget* parent);
    // The main window's "Instructions" runs mnuInstruct_Click.
    static void ConnectInstructions(frmImage& window, Shell& shell);

    void ShowPage(const QUrl& page);

private:
    QTextBrowser* m_browser;
};
