#pragma once

#include <QImage>

// A new, unfilled picture whose pixels live in memory that asks for huge
// pages when the picture is large: a 12-megapixel photo written into fresh
// 4 KB pages spent most of its time in the kernel. Otherwise an ordinary
// QImage: copies, painting and saving behave as for any other.
QImage Large_Image(QSize size, QImage::Format format);
