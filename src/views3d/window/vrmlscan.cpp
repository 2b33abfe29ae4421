#include "vrmlscan.h"

#if __has_include("vrml_reader.h")
#include "vrml_reader.h"
#define SOLVANE_HAVE_VRML 1
#endif

mesh::Model Read_Vrml_Scan(const QString &path)
{
#ifdef SOLVANE_HAVE_VRML
    return mesh::readVrmlFile(path.toStdString());
#else
    throw mesh::MeshError(mesh::MeshError::Kind::Format,
                          "VRML scans cannot be read by this build: " + path.toStdString());
#endif
}
