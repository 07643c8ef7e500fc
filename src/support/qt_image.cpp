#include "support/qt_image.h"

#include <QBuffer>
#include <QImageReader>

QImage DecodeBuiltInImage(const std::string& bytes, const char* format)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
