#include "bitmap8_writer.h"

#include <QtEndian>

#include <stdexcept>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPaletteEntries = 256;
constexpr int kPixelsPerMetre = 3780; // 96 dots per inch

template <typename T>
void Append(QByteArray& bytes, T value)
{
    char little[sizeof(T)];
    qToLittleEndian(value, little);
    bytes.append(little, sizeof(T));
}

} // namespace

QByteArray EncodeBitmap8(const QImage& indexed)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.colorCount() > kPaletteEntries) {
        throw std::invalid_argument("EncodeBitmap8 needs an 8-bit indexed image");
    }
    const int width = indexed.width();
    const int height = indexed.height();
    const int rowBytes = (width + 3) / 4 * 4;
    const int pixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteEntries * 4;
    const int pixelBytes = rowBytes * height;

    QByteArray bytes;
    bytes.reserve(pixelOffset + pixelBytes);
    bytes.append("BM");
    Append<quint32>(bytes, static_cast<quint32>(pixelOffset + pixelBytes));
    Append<quint32>(bytes, 0); // reserved
    Append<quint32>(bytes, static_cast<quint32>(pixelOffset));

    Append<quint32>(bytes, kInfoHeaderSize);
    Append<qint32>(bytes, width);
    Append<qint32>(bytes, height); // positive: bottom-up rows
    Append<quint16>(bytes, 1);     // planes
    Append<quint16>(bytes, 8);     // bits per pixel
    Append<quint32>(bytes, 0);     // no compression
    Append<quint32>(bytes, static_cast<quint32>(pixelBytes));
    Append<qint32>(bytes, kPixelsPerMetre);
    Append<qint32>(bytes, kPixelsPerMetre);
    Append<quint32>(bytes, kPaletteEntries); // colours used
    Append<quint32>(bytes, 0);               // all colours important

    const QList<QRgb> colours = indexed.colorTable();
    for (int i = 0; i < kPaletteEntries; ++i) {
        const QRgb colour = i < colours.size() ? colours[i] : 0;
        bytes.append(static_cast<char>(qBlue(colour)));
        bytes.append(static_cast<char>(qGreen(colour)));
        bytes.append(static_cast<char>(qRed(colour)));
        bytes.append('\0');
    }

    const QByteArray padding(rowBytes - width, '\0');
    for (int y = height - 1; y >= 0; --y) {
        bytes.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), width);
        bytes.append(padding);
    }
    return bytes;
}
