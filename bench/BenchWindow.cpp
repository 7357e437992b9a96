#include "BenchWindow.h"

BenchWindow::BenchWindow()
{
    m_window.Form_Load(QString());
}
