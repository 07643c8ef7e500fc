#pragma once

#include <QImage>

#include <string>

// Decodes a picture of a format Qt reads itself ("png", "bmp"). Unlike
// QImage::loadFromData, which may look at the contents first, it loads no image
// plugin, so none of them is mapped into the process for it. Null when the bytes
// are not a picture of that format.
QImage DecodeBuiltInImage(const std::string& bytes, const char* format);
