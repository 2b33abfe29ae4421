#pragma once

#include <QString>

#include <functional>

// The small free procedures every window and reader is built on.

// Field splitters: return the text before the first separator and leave the
// rest (after the separator) in the argument; without a separator, return
// the whole text and empty the argument. Fields are not trimmed.
QString Get_Token_Comma(QString &text);
QString Get_Token_Semicolon(QString &text);
QString Get_Token_Space(QString &text);
QString Get_Token_Underscore(QString &text);

// Path splitting at the last "\" or "/", so records written on Windows still read.
QString Get_File_Name(const QString &path);
QString Get_Folder_Path(const QString &path); // up to and including the separator

bool File_Exists(const QString &path); // an existing entry that is not a folder

double Get_Distance_3D(double x1, double y1, double z1, double x2, double y2, double z2);

// The plan slope in degrees, as the foot views' measurement shows it: -90 to
// 90, the same whichever point comes first; a vertical pair (equal x) gives
// 90 instead of failing, and two points at one place in plan give 0.
double Get_Angle_Deg(double x1, double y1, double x2, double y2);

// The main status line. The main window installs the sink; until then (and in
// tests) the last text is only remembered.
void Set_Status(const QString &text);
QString Last_Status();
void Set_Status_Sink(std::function<void(const QString &)> sink);

// Waits in whole seconds of the clock while window events keep flowing.
// A wait that would cross midnight ends at midnight.
void Wait_Milliseconds(int milliseconds);

// Benchmarks and tests make every wait a single pass of the event loop.
void Set_Wait_Skipped(bool skipped);
