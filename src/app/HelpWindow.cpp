#include "HelpWindow.h"

#include "HelpPages.h"
#include "common/ProductTitle.h"
#include "document/frmImage.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QUrl& page, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(DialogTitle(QStringLiteral("Instructions")));
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    m_browser->setOpenLinks(true);
    // The browser's engine does not load linked style sheets: the pages'
    // sheet is given to it as its default.
    QFile styleSheet(QStringLiteral(":/help/help.css"));
    if (styleSheet.open(QIODevice::ReadOnly))
        m_browser->document()->setDefaultStyleSheet(QString::fromUtf8(styleSheet.readAll()));
    auto* back = new QPushButton(QStringLiteral("Back"), this);
    back->setObjectName(QStringLiteral("cmdBack"));
    auto* contents = new QPushButton(QStringLiteral("Contents"), this);
    contents->setObjectName(QStringLiteral("cmdContents"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    back->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(760, 620);
    ShowPage(page);
}

void HelpWindow::ShowPage(const QUrl& page)
{
    m_browser->setSource(page);
}

void HelpWindow::mnuInstruct_Click(Shell& shell, QWidget* parent)
{
    const QUrl index = HelpIndex(QCoreApplication::applicationDirPath());
    if (index.isLocalFile() && shell.OpenAddress(index))
        return;
    auto* window = parent ? parent->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new HelpWindow(index, parent);
        if (parent)
            window->move(parent->geometry().center() - window->rect().center());
    } else
        window->ShowPage(index);
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpWindow::ConnectInstructions(frmImage& window, Shell& shell)
{
    connect(
        &window, &frmImage::InstructionsRequested, &window, [&window, &shell] { mnuInstruct_Click(shell, &window); });
}
