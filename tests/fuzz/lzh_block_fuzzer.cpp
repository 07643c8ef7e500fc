// Stored-data blocks: any bytes decode to at most their declared size or are
// refused as damaged, the same at an offset as at the start, and everything
// encoded decodes to itself in both block forms.

#include "fuzz_support.h"

#include "datastore/lzh_codec.h"
#include "datastore/memory_stream.h"

#include <algorithm>
#include <optional>

namespace {

constexpr std::size_t kShortestBlock = 5;

std::int64_t LittleEndian(std::string_view bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = value << 8 | static_cast<std::uint8_t>(bytes[i]);
    return bytes.size() == 4 ? static_cast<std::int32_t>(value) : static_cast<std::int64_t>(value);
}

// The most the block's header can declare: the old form's size at the start,
// and for a block that starts with the marker 0xFE the new form's behind it.
std::int64_t DeclaredSize(std::string_view block)
{
    const std::int64_t old = LittleEndian(block.substr(0, 4));
    if (static_cast<std::uint8_t>(block[0]) == 0xFE && block.size() >= 9)
        return std::max(old, LittleEndian(block.substr(1, 8)));
    return old;
}

// Decodes the block behind `prefix` bytes of another stream, as a settings file
// decodes what follows its signature.
std::optional<std::string> DecodeAt(std::string_view prefix, std::string_view block)
{
    MemoryStream source{std::string(prefix) + std::string(block)};
    source.Seek(static_cast<std::int64_t>(prefix.size()));
    MemoryStream plain;
    try {
        LzhDecode(source, &plain, true);
    } catch (const ElzhException&) {
        return std::nullopt;
    }
    FUZZ_CHECK(plain.Position() == plain.Size());
    return plain.Bytes();
}

void CheckDecode(std::string_view prefix, std::string_view block)
{
    std::optional<std::string> plain;
    try {
        plain = LzhDecodeBytes(block);
    } catch (const ElzhException&) {
    }
    if (block.size() < kShortestBlock) {
        FUZZ_CHECK(plain && plain->empty());
        return;
    }
    if (plain)
        FUZZ_CHECK(static_cast<std::int64_t>(plain->size()) <= std::max<std::int64_t>(DeclaredSize(block), 0));
    FUZZ_CHECK(DecodeAt(prefix, block) == plain);
}

void CheckRoundTrip(std::string_view prefix, std::string_view plain)
{
    const std::string block = LzhEncodeBytes(plain);
    if (plain.size() < kShortestBlock) {
        FUZZ_CHECK(block.empty());
        return;
    }
    FUZZ_CHECK(static_cast<std::uint8_t>(block[0]) == 0xFE);
    FUZZ_CHECK(LittleEndian(block.substr(1, 8)) == static_cast<std::int64_t>(plain.size()));
    FUZZ_CHECK(LzhDecodeBytes(block) == plain);

    // Appended behind other bytes, the block decodes from its offset.
    MemoryStream source{std::string(plain)};
    MemoryStream packed{std::string(prefix)};
    packed.Seek(packed.Size());
    LzhEncode(source, &packed, true);
    FUZZ_CHECK(packed.Bytes() == std::string(prefix) + block);
    FUZZ_CHECK(DecodeAt(prefix, block) == std::string(plain));

    // The old form: a 32-bit size in place of the marker and the 64-bit size.
    std::string oldForm;
    for (int shift = 0; shift < 32; shift += 8)
        oldForm += static_cast<char>(plain.size() >> shift & 0xFF);
    oldForm += block.substr(9);
    FUZZ_CHECK(LzhDecodeBytes(oldForm) == plain);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceMessages();
    return 0;
}

// The first byte chooses: its low bit decode or round trip, the rest a prefix
// length (0 to 127 bytes of "ZUK" repeated) to decode behind.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string prefix;
    while (prefix.size() < (data[0] >> 1))
        prefix += "ZUK"[prefix.size() % 3];
    const std::string_view rest = AsText(data + 1, size - 1);
    if (data[0] & 1)
        CheckRoundTrip(prefix, rest);
    else
        CheckDecode(prefix, rest);
    return 0;
}
