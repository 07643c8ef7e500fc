#include "datastore/binary_data.h"

#include "datastore/file_bytes.h"
#include "datastore/lzh_codec.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace {

// The stored-data block header: marker byte, then the uncompressed size.
constexpr std::int64_t kSizeFieldOffset = 1;
constexpr std::int64_t kBlockHeaderSize = 9;
// The codec has no compressed form for fewer bytes than this.
constexpr std::int64_t kShortestEncodable = 5;

std::int64_t ReadLittleEndian(std::string_view bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return static_cast<std::int64_t>(value);
}

std::string LittleEndian32(std::int32_t number)
{
    const auto value = static_cast<std::uint32_t>(number);
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}

// Splits 8-bit text at CR LF, CR or LF; a final line break ends the last line
// rather than starting an empty one.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        const bool crLf = text.substr(end).starts_with("\r\n");
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

// Rounds numerator / denominator to the nearest integer, halves to even.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRemainder = 2 * (numerator % denominator);
    if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

} // namespace

TBinaryData::TBinaryData(std::string name) : name_(std::move(name))
{
}

void TBinaryData::SetCompressed(bool compressed)
{
    if (compressed == compressed_)
        return;
    // A payload of 1 to 4 bytes has no compressed form: it stays plain so that
    // nothing is lost. An empty one switches, as a window definition does when
    // it sets the flag before bringing the stored block.
    if (compressed && data_.Size() > 0 && data_.Size() < kShortestEncodable)
        return;
    MemoryStream converted;
    if (compressed)
        LzhEncode(data_, &converted);
    else
        LzhDecode(data_, &converted);
    converted.Seek(0);
    data_ = std::move(converted);
    compressed_ = compressed;
}

MemoryStream& TBinaryData::UnpackedStream()
{
    if (!compressed_) {
        data_.Seek(0);
        return data_;
    }
    if (!unpacked_)
        unpacked_ = std::make_unique<MemoryStream>();
    LzhDecode(data_, unpacked_.get());
    unpacked_->Seek(0);
    return *unpacked_;
}

const std::vector<std::string>& TBinaryData::Lines()
{
    lines_ = SplitLines(UnpackedStream().Bytes());
    return lines_;
}

void TBinaryData::SetLines(const std::vector<std::string>& lines)
{
    lines_ = lines;
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    extension_ = "txt";
    ReplacePayload(std::move(text));
}

void TBinaryData::LoadFromFile(const std::string& fileName)
{
    ReplacePayload(ReadFileBytes(fileName));
}

void TBinaryData::ReplacePayload(std::string plain)
{
    data_ = MemoryStream(std::move(plain));
    if (compressed_) {
        compressed_ = false;
        SetCompressed(true);
    }
}

void TBinaryData::SaveToFile(const std::string& fileName)
{
    if (!compressed_) {
        WriteFileBytes(fileName, data_.Bytes());
        return;
    }
    MemoryStream plain;
    LzhDecode(data_, &plain);
    WriteFileBytes(fileName, plain.Bytes());
}

std::int64_t TBinaryData::GetDataSize()
{
    const std::int64_t size = data_.Size();
    if (size >= kBlockHeaderSize) {
        const std::string_view sizeField(data_.Bytes().data() + kSizeFieldOffset, 8);
        uncompressedSize_ = ReadLittleEndian(sizeField);
    } else {
        uncompressedSize_ = 0;
    }
    return size;
}

std::string TBinaryData::ratio()
{
    const std::int64_t dataSize = GetDataSize();
    if (compressed_ && dataSize >= kBlockHeaderSize && uncompressedSize_ > 0)
        return std::to_string(RoundHalfEven(dataSize * 100, uncompressedSize_)) + "%";
    return "100%";
}

std::string TBinaryData::WriteTheData() const
{
    if (data_.Size() > INT32_MAX)
        throw std::length_error("TheData of \"" + name_ + "\" is larger than 2 GB");
    return LittleEndian32(static_cast<std::int32_t>(data_.Size())) + data_.Bytes();
}

void TBinaryData::ReadTheData(std::string_view value)
{
    if (value.size() < 4)
        throw std::invalid_argument("TheData of \"" + name_ + "\" is shorter than its count");
    const auto count = static_cast<std::int32_t>(ReadLittleEndian(value.substr(0, 4)));
    if (count < 1)
        return;
    if (value.size() - 4 != static_cast<std::size_t>(count))
        throw std::invalid_argument("TheData of \"" + name_ + "\" holds " + std::to_string(value.size() - 4) +
                                    " bytes but counts " + std::to_string(count));
    data_ = MemoryStream(std::string(value.substr(4)));
}
