// The program's own bitmap reader must show every pixel as the toolkit's reader does.

#include "datastore/binary_data.h"
#include "datastore/window_records.h"
#include "layout/picture_record.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
}

struct Kind {
    int bits;
    int width;
    int height; // negative: rows top-down
    std::uint32_t headerSize;
    std::uint32_t colours; // palette entries written, 0 for all
};

// A bitmap of the kind with pixels of a fixed pseudo-random pattern.
std::string Bitmap(const Kind& kind)
{
    const bool core = kind.headerSize == 12;
    const std::uint32_t paletteCount = kind.bits > 8 ? 0 : kind.colours ? kind.colours : 1u << kind.bits;
    const std::uint32_t paletteSize = paletteCount * (core ? 3 : 4);
    const std::uint32_t rows = static_cast<std::uint32_t>(kind.height < 0 ? -kind.height : kind.height);
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(kind.width * kind.bits) + 31) / 32 * 4;
    const std::uint32_t pixelsAt = 14 + kind.headerSize + paletteSize;
    std::string bytes(pixelsAt + rowSize * rows, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    Put(bytes, 10, pixelsAt, 4);
    Put(bytes, 14, kind.headerSize, 4);
    if (core) {
        Put(bytes, 18, static_cast<std::uint32_t>(kind.width), 2);
        Put(bytes, 20, static_cast<std::uint32_t>(kind.height), 2);
        Put(bytes, 22, 1, 2);
        Put(bytes, 24, static_cast<std::uint32_t>(kind.bits), 2);
    } else {
        Put(bytes, 18, static_cast<std::uint32_t>(kind.width), 4);
        Put(bytes, 22, static_cast<std::uint32_t>(kind.height), 4);
        Put(bytes, 26, 1, 2);
        Put(bytes, 28, static_cast<std::uint32_t>(kind.bits), 2);
        Put(bytes, 46, kind.colours, 4);
    }
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (std::uint32_t i = 0; i < paletteSize; ++i)
        bytes[14 + kind.headerSize + i] = static_cast<char>(next() >> 16);
    for (std::uint32_t y = 0; y < rows; ++y)
        for (std::uint32_t x = 0; x < rowSize; ++x) {
            std::uint32_t value = next() >> 16;
            if (paletteCount && paletteCount < 256u && kind.bits == 8)
                value %= paletteCount; // indices within the palette
            bytes[pixelsAt + y * rowSize + x] = static_cast<char>(value);
        }
    return bytes;
}

QImage Decoded(const std::string& bytes)
{
    const auto size = WindowsBitmapSize(bytes);
    if (!size)
        return {};
    QImage image(size->width, size->height, QImage::Format_RGB32);
    if (!DecodeWindowsBitmap(bytes, reinterpret_cast<std::uint32_t*>(image.bits()),
                             static_cast<std::size_t>(image.bytesPerLine()) / 4))
        return {};
    return image;
}

QImage ByToolkit(const std::string& bytes)
{
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP");
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(BitmapDecode, EveryUncompressedKindShowsAsTheToolkitShowsIt)
{
    const Kind kinds[] = {
        {1, 13, 5, 40, 0}, {4, 7, 6, 40, 0},   {4, 9, 3, 40, 0},   {8, 889, 4, 40, 0}, {8, 5, 5, 40, 20},
        {8, 6, -4, 40, 0}, {24, 5, 3, 40, 0},  {24, 4, -3, 40, 0}, {32, 3, 4, 40, 0},  {8, 7, 3, 12, 0},
        {24, 6, 2, 12, 0}, {1, 33, 2, 124, 0}, {8, 3, 3, 108, 0},
    };
    for (const Kind& kind : kinds) {
        const std::string bytes = Bitmap(kind);
        const QImage decoded = Decoded(bytes);
        ASSERT_FALSE(decoded.isNull()) << kind.bits << " bits, " << kind.width << " x " << kind.height;
        EXPECT_EQ(decoded, ByToolkit(bytes))
            << kind.bits << " bits, " << kind.width << " x " << kind.height << ", header " << kind.headerSize;
    }
}

TEST(BitmapDecode, TheStoredPictureShowsAsTheToolkitShowsIt)
{
    auto stored = LoadEmbeddedComponent("TLayoutform", "bildmemo");
    ASSERT_TRUE(stored);
    const std::string bytes = stored->UnpackedStream().Bytes();
    EXPECT_EQ(Decoded(bytes), ByToolkit(bytes));
}

TEST(BitmapDecode, KindsItDoesNotReadAreLeftToTheToolkit)
{
    std::string runLength = Bitmap({8, 4, 4, 40, 0});
    Put(runLength, 30, 1, 4); // RLE8
    std::string sixteenBits = Bitmap({16, 4, 4, 40, 0});
    std::string outsidePalette = Bitmap({8, 4, 2, 40, 2});
    outsidePalette[outsidePalette.size() - 1] = '\x05';
    for (const std::string* bytes : {&runLength, &sixteenBits, &outsidePalette}) {
        std::vector<std::uint32_t> pixels(16);
        EXPECT_FALSE(DecodeWindowsBitmap(*bytes, pixels.data(), 4));
    }
}

} // namespace
