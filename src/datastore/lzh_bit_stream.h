#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

// Bit streams of the LZHUF format: bits are packed most significant first, and
// the last byte is padded with zero bits.
namespace lzh {

class BitWriter {
public:
    explicit BitWriter(std::string& out) : out_(out) {}

    // Appends the low `length` bits of `bits` (at most 32), the highest first.
    void Put(std::uint32_t bits, int length)
    {
        pending_ = (pending_ << length) | bits;
        count_ += length;
        while (count_ >= 8) {
            count_ -= 8;
            out_.push_back(static_cast<char>(pending_ >> count_));
        }
    }

    // Writes the last partial byte, padded with zero bits.
    void Flush()
    {
        if (count_ > 0)
            out_.push_back(static_cast<char>(pending_ << (8 - count_)));
        count_ = 0;
    }

private:
    std::string& out_;
    std::uint64_t pending_ = 0; // the low count_ bits are not yet written
    int count_ = 0;
};

// Reads bits from a byte range. Past its end the stream reads as zero bits, and
// Overrun() tells when such a bit was taken: a well-formed stream never needs
// one, though the reader fetches ahead of what it takes.
class BitReader {
public:
    BitReader(const std::uint8_t* begin, const std::uint8_t* end) : next_(begin), end_(end) {}

    unsigned TakeBit()
    {
        if (count_ == 0)
            Refill();
        const auto bit = static_cast<unsigned>(buffer_ >> 63);
        buffer_ <<= 1;
        --count_;
        return bit;
    }

    // Takes 1 to 32 bits, the first one read becoming the highest.
    unsigned TakeBits(int length)
    {
        if (count_ < length)
            Refill();
        const auto bits = static_cast<unsigned>(buffer_ >> (64 - length));
        buffer_ <<= length;
        count_ -= length;
        return bits;
    }

    // The next 1 to 32 bits, the first one highest, left for SkipBits() to take.
    unsigned PeekBits(int length)
    {
        if (count_ < length)
            Refill();
        return static_cast<unsigned>(buffer_ >> (64 - length));
    }

    // Takes bits already looked at with PeekBits().
    void SkipBits(int length)
    {
        buffer_ <<= length;
        count_ -= length;
    }

    bool Overrun() const { return padding_ > count_; }

private:
    // Tops the buffer up to at least 57 bits.
    void Refill()
    {
        if (end_ - next_ >= 8) {
            std::uint64_t word;
            std::memcpy(&word, next_, sizeof word);
            // Bits beyond the counted ones are the stream's own next bits, so
            // the next refill may OR them in again without harm.
            buffer_ |= BigEndian(word) >> count_;
            const int bytes = (63 - count_) >> 3;
            next_ += bytes;
            count_ += 8 * bytes;
            return;
        }
        while (count_ <= 56) {
            std::uint64_t byte = 0;
            if (next_ < end_)
                byte = *next_++;
            else
                padding_ += 8;
            buffer_ |= byte << (56 - count_);
            count_ += 8;
        }
    }

    static std::uint64_t BigEndian(std::uint64_t word)
    {
        if constexpr (std::endian::native == std::endian::little)
            return __builtin_bswap64(word);
        return word;
    }

    const std::uint8_t* next_;
    const std::uint8_t* end_;
    std::uint64_t buffer_ = 0; // the next count_ bits, left-aligned
    int count_ = 0;
    int padding_ = 0; // zero bits added past the end, taken or not
};

} // namespace lzh
