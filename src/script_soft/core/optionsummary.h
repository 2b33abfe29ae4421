#pragma once

#include <QString>

struct ScriptRecord;

// The plain-text order summary of the "Orthotic Data Selection" dialog, with
// CR LF line breaks. Building it first drops a leading "None" entry from each
// foot's insole options in the job itself, so the order is not sent with a
// "None" in front of real options.
QString Option_Summary(ScriptRecord &job);
