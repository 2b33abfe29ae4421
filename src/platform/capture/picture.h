#pragma once

#include <QImage>
#include <QString>

class QPainter;
class QPixmap;
class QPrinter;
class QWidget;

// A picture of what a window shows: a true-colour image, no palette.
using Picture = QImage;

// The picture of a captured bitmap.
Picture Create_Picture(const QPixmap &bitmap);

// The area (left, top, width, height in pixels) of the window. With
// `clientArea` the corner is the window's inner corner; without it, the outer
// corner of its frame (title bar and border), whose parts the program does
// not paint itself come out white. The picture is always width x height; what
// lies outside the window is white. Works for OpenGL views too.
Picture Capture_Window(QWidget *window, bool clientArea, int left, int top, int width, int height);

// The window's whole inner area.
Picture Capture_Form(QWidget *form);

// Prints the picture on one page, as large as fits:
//   1. asks for the printer through UI().printDialog (one copy, landscape
//      proposed); a cancel prints nothing, leaves `painter` inactive and
//      returns false;
//   2. turns the page portrait when the picture is at least as high as it
//      is wide, else landscape;
//   3. begins `painter` on `printer` (unless it is active already) and
//      paints the picture at the printable area's corner, filling its width
//      or its height, whichever the picture's shape allows.
// The caller ends the document (`painter.end()`), which sends the page:
//     QPrinter printer; QPainter painter;
//     if (Print_Picture_Dialog(printer, painter, picture)) painter.end();
bool Print_Picture_Dialog(QPrinter &printer, QPainter &painter, const Picture &picture);

// Saves the picture as JPEG at `quality` (0 to 100; every caller passes 90)
// through QSaveFile, so a failure leaves an older file whole. A failure
// raises SolvaneError number 5, "Cannot save the image. GDI+ Error:" followed
// directly by a non-zero status: 2 for an empty picture, 7 when the file
// cannot be written, 13 when no JPEG encoder is available.
void Save_JPEG(const Picture &picture, const QString &path, int quality = 90);

inline constexpr int kSaveJpegError = 5;
