#pragma once

#include <QDateTime>

#include <functional>

// The one clock of the program, so tests and golden records can fix the time.
namespace Clock {
QDateTime now();
void setSource(std::function<QDateTime()> source); // empty restores the system clock

QString shortDate(const QDate &date); // "dd/MM/yyyy"
QString longTime(const QTime &time); // "HH:mm:ss"
QString recordDate(const QDate &date); // "Tuesday, Dec 8  2026" (English names)

inline QString today()
{
    return shortDate(now().date());
}
inline QString timeNow()
{
    return longTime(now().time());
}
} // namespace Clock
