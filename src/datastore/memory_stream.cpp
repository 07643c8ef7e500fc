#include "datastore/memory_stream.h"

#include <algorithm>
#include <cstring>

void MemoryStream::Clear()
{
    bytes_.clear();
    position_ = 0;
}

void MemoryStream::SetSize(std::int64_t size)
{
    bytes_.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
}

std::size_t MemoryStream::Read(void* destination, std::size_t count)
{
    if (position_ >= Size())
        return 0;
    const auto available = static_cast<std::size_t>(Size() - position_);
    const std::size_t n = std::min(count, available);
    std::memcpy(destination, bytes_.data() + position_, n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

int MemoryStream::ReadByte()
{
    if (position_ >= Size())
        return -1;
    return static_cast<unsigned char>(bytes_[static_cast<std::size_t>(position_++)]);
}

void MemoryStream::Write(std::string_view bytes)
{
    const auto end = static_cast<std::size_t>(position_) + bytes.size();
    if (end > bytes_.size())
        bytes_.resize(end);
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + position_);
    position_ = static_cast<std::int64_t>(end);
}

void MemoryStream::WriteByte(std::uint8_t byte)
{
    const char c = static_cast<char>(byte);
    Write(std::string_view(&c, 1));
}
