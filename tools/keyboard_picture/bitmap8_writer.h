#pragma once

#include <QByteArray>
#include <QImage>

// An 8-bit indexed image as a Windows bitmap file: file header, 40-byte info
// header, a palette of 256 entries (blue, green, red, 0), then the rows from the
// bottom up, each padded to a multiple of four bytes.
QByteArray EncodeBitmap8(const QImage& indexed);
