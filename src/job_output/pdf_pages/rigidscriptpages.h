#pragma once

#include <QString>

class PrescriptionDocument;

// Begins the rigid prescription document at `path` and draws its first
// page: the head, the shell table, top covers, insole options, notes and the
// footer. Long option lists and notes continue on further pages.
void Begin_Rigid_Script_PDF(PrescriptionDocument &doc, const QString &path);

// Adds the rigid "OTHER INFORMATION" page.
void Draw_Rigid_Other_Info(PrescriptionDocument &doc);

// A Boolean as the rigid page prints it: "True" or "False".
QString Yes_No_Text(bool value);
