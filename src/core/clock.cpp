#include "clock.h"

#include <QLocale>

namespace Clock {
namespace {
std::function<QDateTime()> &source()
{
    static std::function<QDateTime()> s;
    return s;
}
} // namespace

QDateTime now()
{
    return source() ? source()() : QDateTime::currentDateTime();
}

void setSource(std::function<QDateTime()> s)
{
    source() = std::move(s);
}

QString shortDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString longTime(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString recordDate(const QDate &date)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(date, QStringLiteral("dddd, MMM d  yyyy"));
}
} // namespace Clock
