#pragma once

#include <QImage>

// The whole-picture adjustments of the image control, as pure functions:
// each reads its source and returns a new picture, so an undo step can keep
// the old pixels without copying them first. Pictures in any format are
// worked on as 32-bit colour (alpha kept) or 8-bit grey; an indexed or
// one-bit picture comes back as 32-bit colour.
namespace imageops {

// The format the adjustments work in: RGB32, ARGB32 or Grayscale8.
QImage workingFormat(const QImage &image);

// Every colour channel times `factor`, rounded and clamped to 0..255.
QImage scaledBrightness(const QImage &image, double factor);
// Grey of the same format (r = g = b), by the usual luminance weights.
QImage greyscale(const QImage &image);
// 255 - v in every colour channel; twice gives the picture back.
QImage negative(const QImage &image);
// 3 x 3 sharpening (5 at the centre, -1 at the four side neighbours),
// borders repeated.
QImage sharpened(const QImage &image);
// Left and right swapped.
QImage mirrored(const QImage &image);
// 3 x 3 median of every colour channel, which removes specks and scratches;
// borders repeated.
QImage repaired(const QImage &image);

} // namespace imageops
