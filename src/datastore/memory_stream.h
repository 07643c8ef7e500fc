#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A growable byte buffer with a read/write position: the in-memory stream that
// the codec, the data components and the settings file pass between them.
class MemoryStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

    const std::string& Bytes() const { return bytes_; }
    std::int64_t Size() const { return static_cast<std::int64_t>(bytes_.size()); }
    std::int64_t Position() const { return position_; }
    // Positions beyond the end are allowed; a write there fills the gap with zero bytes.
    void Seek(std::int64_t position) { position_ = position < 0 ? 0 : position; }

    // Empties the stream and moves to position 0.
    void Clear();
    // Sets the size, keeping the position.
    void SetSize(std::int64_t size);

    // Reads up to count bytes from the position; returns how many were read.
    std::size_t Read(void* destination, std::size_t count);
    // Reads one byte, or returns -1 at the end.
    int ReadByte();
    // Writes at the position, growing the stream as needed.
    void Write(std::string_view bytes);
    void WriteByte(std::uint8_t byte);

private:
    std::string bytes_;
    std::int64_t position_ = 0;
};
