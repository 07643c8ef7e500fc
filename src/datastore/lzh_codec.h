#pragma once

#include "datastore/memory_stream.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Stored-data block: the byte 0xFE, the uncompressed size as a signed 64-bit
// little-endian number, then the LZHUF bit stream. Blocks whose first byte is not
// 0xFE are the old form, read only: a signed 32-bit size, then the bit stream.

class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Compresses the whole source (read from its beginning) into a block at the
// destination's position. Without append the destination is emptied first.
// A source shorter than 5 bytes produces nothing. A null destination is
// reported with a plain message and nothing happens.
void LzhEncode(MemoryStream& source, MemoryStream* destination, bool append = false);

// Empties the destination and fills it with the block's uncompressed bytes,
// leaving its position at the end. Reads from the source's beginning, or from
// its current position with continueAtPosition. A source shorter than 5 bytes
// as a whole yields nothing. A damaged block (a bit stream that ends before the
// declared size is reached) raises ElzhException; no block yields more bytes
// than its declared size. A null destination is reported like LzhEncode's.
void LzhDecode(MemoryStream& source, MemoryStream* destination, bool continueAtPosition = false);

// Byte-string conveniences over the stream forms.
std::string LzhEncodeBytes(std::string_view plain);
std::string LzhDecodeBytes(std::string_view block);

// The uncompressed size the block declares, read the way decoding reads it: a
// block that starts with 0xFE is taken in its old 4-byte form when only that
// form's size can be met.
std::int64_t LzhDeclaredSize(std::string_view block);
