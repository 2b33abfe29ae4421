#pragma once

#include <QString>

#include <optional>

// What choosing a scan file on the soft form makes of one foot's job files.
// The kind of scan is decided by the file's own extension, never by a part
// of its folder's name.
struct ScanChoice
{
    QString scanFile;
    QString modelFile; // the scan's name with ".Lcf"
    std::optional<QString> graphic; // none: the foot's graphic stays as it is
    std::optional<bool> stlScan; // none: the STL flag stays as it is
    bool importIntoView = false; // an STL scan goes into the foot's 3D view
};

// For a WRL scan the photograph is "<base>[VRML].Jpg" when it exists (any
// case), else "<base>0.Jpg" whether or not that exists. An STL scan has no
// photograph ("None"). Other scans change only the scan and model names.
ScanChoice Scan_Choice_For(const QString &path);

// The scan path without its extension ("a/b_L.Wrl" gives "a/b_L").
QString Scan_Base(const QString &path);
