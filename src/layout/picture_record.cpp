#include "layout/picture_record.h"

#include "datastore/binary_data.h"
#include "datastore/lzh_codec.h"
#include "support/messages.h"

#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12; // the oldest information header, 16-bit sizes
// A picture is an X11 drawable: at most 32767 pixels a side.
constexpr std::int64_t kLongestSide = 32767;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint32_t Unsigned(std::string_view bytes, std::size_t at, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

struct BitmapInfo {
    std::int64_t width = 0;
    std::int64_t height = 0; // negative for rows stored top-down
    std::uint32_t planes = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
};

BitmapInfo ReadInfo(std::string_view bytes, std::size_t headerSize)
{
    const std::size_t at = kFileHeaderSize;
    if (headerSize == kCoreHeaderSize)
        return {Unsigned(bytes, at + 4, 2), Unsigned(bytes, at + 6, 2), Unsigned(bytes, at + 8, 2),
                Unsigned(bytes, at + 10, 2), kRgb};
    return {static_cast<std::int32_t>(Unsigned(bytes, at + 4, 4)),
            static_cast<std::int32_t>(Unsigned(bytes, at + 8, 4)), Unsigned(bytes, at + 12, 2),
            Unsigned(bytes, at + 14, 2), Unsigned(bytes, at + 16, 4)};
}

bool KnownHeaderSize(std::uint32_t size)
{
    return size == kCoreHeaderSize || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool PixelFormatFits(const BitmapInfo& info)
{
    switch (info.compression) {
    case kRgb:
        return info.bitCount == 1 || info.bitCount == 4 || info.bitCount == 8 || info.bitCount == 16 ||
               info.bitCount == 24 || info.bitCount == 32;
    case kRle8: return info.bitCount == 8 && info.height > 0;
    case kRle4: return info.bitCount == 4 && info.height > 0;
    case kBitFields: return info.bitCount == 16 || info.bitCount == 32;
    default: return false;
    }
}

std::uint32_t HeaderSize(std::string_view bytes)
{
    return Unsigned(bytes, kFileHeaderSize, 4);
}

// The palette as 0xFFRRGGBB; empty when it does not fit before the pixels.
std::vector<std::uint32_t> Palette(std::string_view bytes, const BitmapInfo& info)
{
    const std::uint32_t headerSize = HeaderSize(bytes);
    const bool core = headerSize == kCoreHeaderSize;
    std::size_t count = std::size_t{1} << info.bitCount;
    if (!core) {
        const std::uint32_t used = Unsigned(bytes, kFileHeaderSize + 32, 4);
        if (used != 0 && used < count)
            count = used;
    }
    const std::size_t entrySize = core ? 3 : 4;
    const std::size_t at = kFileHeaderSize + headerSize;
    if (at + count * entrySize > Unsigned(bytes, 10, 4))
        return {};
    std::vector<std::uint32_t> palette(count);
    for (std::size_t i = 0; i < count; ++i)
        palette[i] = 0xFF000000u | Unsigned(bytes, at + i * entrySize, 3);
    return palette;
}

// One row of palette indices; false when an index lies outside the palette.
bool DecodeIndexedRow(const unsigned char* row, const BitmapInfo& info, const std::vector<std::uint32_t>& palette,
                      std::uint32_t* out)
{
    const unsigned bits = info.bitCount;
    const unsigned perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::int64_t x = 0; x < info.width; ++x) {
        const unsigned shift = 8 - bits * (static_cast<unsigned>(x % perByte) + 1);
        const unsigned index = (row[x / perByte] >> shift) & mask;
        if (index >= palette.size())
            return false;
        out[x] = palette[index];
    }
    return true;
}

void DecodeTrueColourRow(const unsigned char* row, const BitmapInfo& info, std::uint32_t* out)
{
    const std::size_t step = info.bitCount / 8;
    for (std::int64_t x = 0; x < info.width; ++x) {
        const unsigned char* pixel = row + static_cast<std::size_t>(x) * step;
        out[x] = 0xFF000000u | std::uint32_t{pixel[2]} << 16 | std::uint32_t{pixel[1]} << 8 | pixel[0];
    }
}

} // namespace

std::optional<BitmapSize> WindowsBitmapSize(std::string_view bytes)
{
    if (!IsWindowsBitmap(bytes))
        return std::nullopt;
    const BitmapInfo info = ReadInfo(bytes, HeaderSize(bytes));
    return BitmapSize{static_cast<int>(info.width), static_cast<int>(info.height < 0 ? -info.height : info.height)};
}

bool DecodeWindowsBitmap(std::string_view bytes, std::uint32_t* pixels, std::size_t stride)
{
    if (!IsWindowsBitmap(bytes))
        return false;
    const BitmapInfo info = ReadInfo(bytes, HeaderSize(bytes));
    const bool indexed = info.bitCount <= 8;
    if (info.compression != kRgb || !(indexed || info.bitCount == 24 || info.bitCount == 32))
        return false;
    const std::vector<std::uint32_t> palette = indexed ? Palette(bytes, info) : std::vector<std::uint32_t>{};
    if (indexed && palette.empty())
        return false;
    const bool bottomUp = info.height > 0;
    const std::int64_t rows = bottomUp ? info.height : -info.height;
    const std::size_t rowSize = static_cast<std::size_t>((info.width * info.bitCount + 31) / 32 * 4);
    const auto* first = reinterpret_cast<const unsigned char*>(bytes.data()) + Unsigned(bytes, 10, 4);
    for (std::int64_t y = 0; y < rows; ++y) {
        const unsigned char* row = first + static_cast<std::size_t>(bottomUp ? rows - 1 - y : y) * rowSize;
        std::uint32_t* out = pixels + static_cast<std::size_t>(y) * stride;
        if (!indexed)
            DecodeTrueColourRow(row, info, out);
        else if (!DecodeIndexedRow(row, info, palette, out))
            return false;
    }
    return true;
}

bool IsWindowsBitmap(std::string_view bytes)
{
    if (bytes.size() < kFileHeaderSize + 4 || !bytes.starts_with("BM"))
        return false;
    const std::uint32_t headerSize = Unsigned(bytes, kFileHeaderSize, 4);
    const std::uint32_t pixelOffset = Unsigned(bytes, 10, 4);
    if (!KnownHeaderSize(headerSize) || bytes.size() < kFileHeaderSize + headerSize ||
        pixelOffset < kFileHeaderSize + headerSize || pixelOffset > bytes.size())
        return false;
    const BitmapInfo info = ReadInfo(bytes, headerSize);
    const std::int64_t rows = info.height < 0 ? -info.height : info.height;
    if (info.width < 1 || info.width > kLongestSide || rows < 1 || rows > kLongestSide || info.planes != 1 ||
        !PixelFormatFits(info))
        return false;
    if (info.compression == kRle8 || info.compression == kRle4)
        return true; // runs of any length: their end is found by decoding them
    const std::int64_t rowSize = (info.width * info.bitCount + 31) / 32 * 4;
    return static_cast<std::int64_t>(bytes.size() - pixelOffset) >= rowSize * rows;
}

void ReportPictureNotBitmap(const TBinaryData& record)
{
    ShowPlainNotice("Bild \"%s\" ist keine Windows-Bitmap.|" + record.Name());
}

const std::string* PictureRecordBitmap(TBinaryData& record)
{
    if (record.Extension() != "bmp") {
        ShowPlainNotice("Bild \"%s\" existiert nicht.|" + record.Name());
        return nullptr;
    }
    try {
        const std::string& bytes = record.UnpackedStream().Bytes();
        if (IsWindowsBitmap(bytes))
            return &bytes;
    } catch (const ElzhException&) {
    }
    ReportPictureNotBitmap(record);
    return nullptr;
}
