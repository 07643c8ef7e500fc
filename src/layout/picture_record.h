#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TBinaryData;

// The keyboard picture's record: a Windows bitmap under the extension "bmp".

// The bitmap's bytes (the record's unpacked stream, valid until it is unpacked
// again), or nullptr when the record holds none: then the developer is told
// why, that the picture does not exist for another extension, that the record
// is not a bitmap for bytes that are none or a damaged block.
const std::string* PictureRecordBitmap(TBinaryData& record);

// Whether the bytes are a complete Windows bitmap that a picture can be made
// of: file and information headers that agree, at most 32767 pixels a side,
// and for uncompressed pixels all the rows they declare.
bool IsWindowsBitmap(std::string_view bytes);

// The width and height of the picture of a bitmap that IsWindowsBitmap accepts.
struct BitmapSize {
    int width = 0;
    int height = 0;
};
std::optional<BitmapSize> WindowsBitmapSize(std::string_view bytes);

// Writes the picture of an uncompressed bitmap with 1, 4, 8, 24 or 32 bits a
// pixel as 0xFFRRGGBB, top row first, rows stride pixels apart (the caller has
// made room for WindowsBitmapSize). False, the pixels then undefined, for other
// kinds (run-length encoded, bit fields, 16 bits) and for a palette index beyond
// the palette, which a general bitmap reader must handle.
bool DecodeWindowsBitmap(std::string_view bytes, std::uint32_t* pixels, std::size_t stride);

// The complaint for a record whose bytes are no bitmap it can show.
void ReportPictureNotBitmap(const TBinaryData& record);
