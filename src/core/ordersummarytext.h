#pragma once

#include <QString>

// The pieces both order summaries ("Orthotic Data Selection") are built of.

// Drops a leading "None" entry (and its separator) from a foot's insole
// options, so the order is not sent with "None" in front of real options.
// "None" alone stays.
void Drop_Leading_None(QString &options);

// A ";"-separated list (insole options, notes) one entry to a line, CR LF.
QString Summary_Lines(QString list);
