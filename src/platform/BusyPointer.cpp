#include "BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

BusyPointer::BusyPointer()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer()
{
    QGuiApplication::restoreOverrideCursor();
}

// The ordinary pointer goes over the busy one, so that taking it off leaves
// the busy one as it was, however many guards are alive.
BusyPointer::Paused::Paused()
    : m_busy(QGuiApplication::overrideCursor() != nullptr)
{
    if (m_busy)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
}

BusyPointer::Paused::~Paused()
{
    if (m_busy)
        QGuiApplication::restoreOverrideCursor();
}
