#pragma once

#include <QByteArray>
#include <QImage>

// The library's icons are GIF files, which Qt reads but does not write: a
// small GIF89a writer of our own. A picture of at most 256 colours keeps
// them exactly; a richer one is reduced to a palette first. The pixel codes
// are stored without compressing them (a clear code before the table would
// grow), which every GIF reader decodes and which is small enough for icons.
QByteArray Encode_Gif(const QImage &image);
