#pragma once

#include <QString>

struct ScriptRecord;

// The plain-text order summary of the rigid "Orthotic Data Selection"
// dialog, with CR LF line breaks: each foot's shell style, material and top
// cover, then its insole options one to a line; the notes once, in the left
// block. Building it first drops a leading "None" entry from each foot's
// insole options in the job itself, so the order is not sent with a "None"
// in front of real options.
QString Rigid_Option_Summary(ScriptRecord &job);

// What "View PDF" opens: the laboratory ("_L") document when it is written,
// else the main one.
QString Rigid_Pdf_To_View(const ScriptRecord &job);
