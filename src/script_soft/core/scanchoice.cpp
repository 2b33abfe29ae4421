#include "scanchoice.h"

#include "paths.h"
#include "shellhelpers.h"

QString Scan_Base(const QString &path)
{
    const QString name = Get_File_Name(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return path;
    return path.left(path.size() - (name.size() - dot));
}

ScanChoice Scan_Choice_For(const QString &path)
{
    ScanChoice choice;
    choice.scanFile = path;
    const QString base = Scan_Base(path);
    choice.modelFile = base + QStringLiteral(".Lcf");
    if (Has_Extension(path, QStringLiteral("stl"))) {
        choice.graphic = QStringLiteral("None");
        choice.stlScan = true;
        choice.importIntoView = true;
    } else if (Has_Extension(path, QStringLiteral("wrl"))) {
        const QString photo = Resolve_File_Nocase(base + QStringLiteral("[VRML].Jpg"));
        choice.graphic = photo.isEmpty() ? base + QStringLiteral("0.Jpg") : photo;
        choice.stlScan = false;
    }
    return choice;
}
