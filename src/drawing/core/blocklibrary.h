#pragma once

#include <QString>

struct DrawingState;

// Reads "Graphics.Lib" from the working folder into the state's block
// library: line 1 is the count, a comma and a free text; each of the next
// `count` lines is block file, comma, icon file, comma, label, split with
// Get_Token_Comma (a line without a further comma gives empty fields after
// it; text after a third comma is ignored). Lines after the counted ones are
// not read. A missing or unreadable file gives no entries, a file shorter
// than its count the entries it has, and a count below 1 none: a library
// that is not as it should be never stops a drawing from opening.
void Read_Block_Library(DrawingState &state);

// A library file in the working folder's "Blocks" or "Icons" folder, found
// whatever the case of its name. Only the entry's last name part counts, so
// no entry can reach outside the folder. The path of the file when there is
// one; the path it would have when there is none (so a message can name
// it); empty for an entry with no usable name ("", ".", "..").
QString Block_File_Path(const QString &entry);
QString Icon_File_Path(const QString &entry);
