#include "scanfileset.h"

#include "paths.h"

#include <QFileInfo>

ScanKind Scan_Kind(const QString &scanPath)
{
    if (Has_Extension(scanPath, QStringLiteral("stl")))
        return ScanKind::Stl;
    if (Has_Extension(scanPath, QStringLiteral("obj")))
        return ScanKind::Obj;
    return ScanKind::Vrml;
}

ScanFileSet Scan_File_Set(const QString &scanPath)
{
    ScanFileSet set;
    set.scan = scanPath;
    const QString suffix = QFileInfo(scanPath).suffix();
    set.base = suffix.isEmpty() ? scanPath : scanPath.left(scanPath.size() - suffix.size() - 1);
    set.modelFile = set.base + QStringLiteral(".Lcf");
    set.texturePicture = Resolve_File_Nocase(set.base + QStringLiteral("[VRML].Jpg"));
    set.photograph = set.base + QStringLiteral("0.Jpg");
    set.snapshot = set.base + QStringLiteral(".Jpg");
    set.stlImage = set.base + QStringLiteral(".Bmp");
    return set;
}

QString ScanFileSet::image(ScanKind kind) const
{
    if (textureFound())
        return texturePicture;
    return kind == ScanKind::Stl ? stlImage : photograph;
}
