#include "SlotCaption.h"

SlotCaption::SlotCaption(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("color: white;"));
}
