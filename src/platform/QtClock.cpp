#include "QtClock.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

QString QtClock::TodayShortDate() const
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

QString QtClock::NowText() const
{
    return QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
}
