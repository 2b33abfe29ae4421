#include "shellhelpers.h"

#include "plangeometry.h"

#include "clock.h"
#include "numbers.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <cmath>

namespace {

QString takeToken(QString &text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    if (at < 0) {
        QString whole = text;
        text.clear();
        return whole;
    }
    QString head = text.left(at);
    text.remove(0, at + 1);
    return head;
}

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

std::function<void(const QString &)> &statusSink()
{
    static std::function<void(const QString &)> sink;
    return sink;
}

QString &lastStatus()
{
    static QString text;
    return text;
}

bool &waitSkipped()
{
    static bool skipped = false;
    return skipped;
}

} // namespace

QString Get_Token_Comma(QString &text)
{
    return takeToken(text, u',');
}
QString Get_Token_Semicolon(QString &text)
{
    return takeToken(text, u';');
}
QString Get_Token_Space(QString &text)
{
    return takeToken(text, u' ');
}
QString Get_Token_Underscore(QString &text)
{
    return takeToken(text, u'_');
}

QString Get_File_Name(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString Get_Folder_Path(const QString &path)
{
    return path.left(lastSeparator(path) + 1);
}

bool File_Exists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

double Get_Distance_3D(double x1, double y1, double z1, double x2, double y2, double z2)
{
    return geometry::distance3D(x1, y1, z1, x2, y2, z2);
}

double Get_Angle_Deg(double x1, double y1, double x2, double y2)
{
    return geometry::planAngleDegrees(x1, y1, x2, y2).value_or(0.0);
}

void Set_Status(const QString &text)
{
    lastStatus() = text;
    if (statusSink())
        statusSink()(text);
}

QString Last_Status()
{
    return lastStatus();
}

void Set_Status_Sink(std::function<void(const QString &)> sink)
{
    statusSink() = std::move(sink);
}

void Set_Wait_Skipped(bool skipped)
{
    waitSkipped() = skipped;
}

void Wait_Milliseconds(int milliseconds)
{
    auto secondsNow = [] {
        const QTime t = Clock::now().time();
        return num::roundHalfEven(t.msecsSinceStartOfDay() / 1000.0);
    };
    const int start = secondsNow();
    const int finish = num::roundHalfEven(milliseconds / 1000.0 + start);
    QCoreApplication::processEvents();
    if (waitSkipped() || finish < start)
        return;
    int now = start;
    while (now < finish) {
        QThread::msleep(10);
        QCoreApplication::processEvents();
        const int next = secondsNow();
        if (next < now) // the clock passed midnight
            return;
        now = next;
    }
}
