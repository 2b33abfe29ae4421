#pragma once
// The files that belong to one foot scan, all named after the scan's path
// less its extension (B below):
//   scan             B.Wrl, B.Stl or B.Obj
//   model file       B.Lcf
//   texture picture  B[VRML].Jpg, written by the laser scanner beside its
//                    VRML scan and found whatever the case of its name
//   photograph       B0.Jpg
//   view snapshot    B.Jpg ("Save Texture")
//   STL image name   B.Bmp, the image of an STL scan without a texture picture
// GUI-free: the loaders, the job commands and the intake windows share it.

#include <QString>

enum class ScanKind { Vrml, Stl, Obj };

// By the file's own extension, in any case; anything that is neither STL
// nor OBJ is read as VRML. Folder names play no part.
ScanKind Scan_Kind(const QString &scanPath);

struct ScanFileSet
{
    QString scan;
    QString base; // the scan's path less its extension
    QString modelFile; // B.Lcf
    QString texturePicture; // the B[VRML].Jpg found on disk, empty when there is none
    QString photograph; // B0.Jpg
    QString snapshot; // B.Jpg
    QString stlImage; // B.Bmp

    bool textureFound() const { return !texturePicture.isEmpty(); }

    // The foot's image for a scan of this kind: the texture picture when it
    // exists (also for an STL scan, whose ".Bmp" name nothing writes), else
    // the photograph, or for an STL scan its ".Bmp" name.
    QString image(ScanKind kind) const;
};

// Looks on disk for the texture picture; everything else is derived.
ScanFileSet Scan_File_Set(const QString &scanPath);
