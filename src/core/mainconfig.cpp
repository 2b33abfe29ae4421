#include "mainconfig.h"

#include "numbers.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QFileInfo>

QString MainConfig::userList() const
{
    if (!has(4))
        return {};
    QString list = lines[3];
    for (int i = 4; i < lines.size() && !lines[i].isEmpty(); ++i)
        list += u',' + lines[i];
    return list;
}

QString Main_Config_Path()
{
    return Paths::file(QStringLiteral("Solvane.Cfg"));
}

std::optional<MainConfig> Read_Main_Config()
{
    const QString path = Main_Config_Path();
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    MainConfig config;
    config.lines = textfile::readLines(path);
    return config;
}

void Create_Main_Config(const QString &scannerId)
{
    textfile::writeLines(Main_Config_Path(), {QStringLiteral("VORMAK"), scannerId, QStringLiteral("0000"), QString()});
}

void Write_Main_Config(const ScriptRecord &job)
{
    QStringList lines{job.OperatorCode, job.ScannerId, num::formatCounter(job.JobCounter)};
    if (job.CurrentUser.size() == job.UserList.size()) {
        lines << job.CurrentUser;
    } else {
        for (const QString &name : job.UserList.split(u',')) {
            if (name.isEmpty())
                break;
            lines << name;
        }
    }
    textfile::writeLines(Main_Config_Path(), lines);
}

int Counter_From_Text(const QString &text)
{
    return num::roundHalfEven(num::leadingNumber(text));
}

QStringList User_List_Names(const ScriptRecord &job)
{
    if (job.UserList.size() == job.CurrentUser.size())
        return {};
    QStringList names;
    QString rest = job.UserList;
    while (!rest.isEmpty()) {
        const QString name = Get_Token_Comma(rest);
        if (name.isEmpty())
            break;
        names << name;
    }
    return names;
}
