#include "QtDetailsDialog.h"

#include "frmData.h"
#include "platform/Clock.h"

QtDetailsDialog::QtDetailsDialog(const Clock& clock, QWidget* parent)
    : m_clock(clock)
    , m_parent(parent)
{
}

void QtDetailsDialog::SetParent(QWidget* parent)
{
    m_parent = parent;
}

void QtDetailsDialog::ShowDetails(QString& objData, double& objIdTotal)
{
    // Made afresh for every use: nothing of one marker's dialog survives into
    // the next.
    frmData dialog(objData, objIdTotal, m_clock.TodayShortDate(), m_parent);
    dialog.exec();
}
