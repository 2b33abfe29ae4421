#pragma once

#include <QImage>
#include <QString>

// Photos, sketches and burnt drawings are read and written through these two
// helpers only, so every window treats an image file the same way.

// Reads the picture as its pixels are stored: an orientation tag in the file
// is ignored, so a burn's export lines up pixel for pixel with the photo and
// writes back the same W x H. A missing, unreadable or damaged file raises
// SolvaneError naming the path and the reason.
QImage Load_Image_File(const QString &path);

// Writes the picture in the format the file's suffix names, any case (".Jpg"
// and ".Jpeg" as JPEG at quality 90, ".Bmp", ".Png", ".Tif" when the plugin
// is installed, ...), through QSaveFile: a failure leaves the old file whole
// and raises SolvaneError naming the path and the reason. An empty picture
// or an unknown suffix writes nothing and raises the same way.
void Save_Image_File(const QImage &image, const QString &path);

// The JPEG quality every photo and sketch is saved with.
inline constexpr int kImageJpegQuality = 90;
