#pragma once

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

// The complaint for a record whose bytes are no bitmap it can show.
void ReportPictureNotBitmap(const TBinaryData& record);
