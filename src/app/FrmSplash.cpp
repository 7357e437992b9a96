#include "FrmSplash.h"

#include "common/ProductTitle.h"
#include "document/SvgPicture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <utility>

FrmSplash::FrmSplash(std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , Timer1(new QTimer(this))
    , m_showMainWindow(std::move(showMainWindow))
{
    setObjectName(QStringLiteral("FrmSplash"));
    setWindowTitle(ProductTitle);
    setFixedSize(ClientSize);
    auto* picture = new SvgPicture(QStringLiteral(":/artwork/splash.svg"), this);
    picture->setObjectName(QStringLiteral("SplashPicture"));
    picture->setGeometry(rect());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, ClientSize, screen->availableGeometry()));

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(Interval);
    connect(Timer1, &QTimer::timeout, this, &FrmSplash::Timer1_Timer);
    Timer1->start();
}

void FrmSplash::Timer1_Timer()
{
    Timer1->stop();
    // Hidden, not closed: closing the only window would end the program
    // before the main window is there.
    hide();
    if (m_showMainWindow)
        std::exchange(m_showMainWindow, nullptr)();
    deleteLater();
}
