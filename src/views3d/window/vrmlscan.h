#pragma once
// VRML scans for the views, through the mesh core's VRML reader.

#include "mesh_model.h"

#include <QString>

// Throws mesh::MeshError when the file cannot be read.
mesh::Model Read_Vrml_Scan(const QString &path);
