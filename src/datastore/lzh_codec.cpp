#include "datastore/lzh_codec.h"

#include "datastore/lzh_bit_stream.h"
#include "datastore/lzh_huffman.h"
#include "datastore/lzh_match_finder.h"
#include "datastore/lzh_params.h"
#include "support/messages.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

using namespace lzh;

namespace {

constexpr std::uint8_t kBlockMarker = 0xFE;
constexpr std::size_t kShortestSource = 5;

// The working state of one run is allocated for that run alone.
template <class State>
std::unique_ptr<State> AllocateState()
{
    try {
        return std::make_unique<State>();
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
}

[[noreturn]] void ThrowDamaged()
{
    throw ElzhException("LZH : The compressed data is damaged or incomplete");
}

// ---- Encoding ----------------------------------------------------------------

struct EncoderState {
    MatchFinder finder;
    HuffmanModel model;
};

void PutSymbol(EncoderState& state, BitWriter& out, int symbol)
{
    const HuffmanModel::Code code = state.model.CodeOf(symbol);
    out.Put(code.bits, code.length);
    state.model.Update(symbol);
}

// The upper 6 bits by the fixed position code, the lower 6 bits as they are.
void PutPosition(BitWriter& out, int position)
{
    const int upper = position >> 6;
    const int length = kPositionCodeLength[upper];
    const auto code = static_cast<std::uint32_t>(kPositionCode[upper] >> (8 - length));
    out.Put((code << 6) | static_cast<std::uint32_t>(position & 0x3F), length + 6);
}

// Codes the string at `ring` and returns how many input bytes it covers.
int PutNextString(EncoderState& state, BitWriter& out, int ring, int lookahead)
{
    const int length = std::min(state.finder.MatchLength(), lookahead);
    if (length <= kThreshold) {
        PutSymbol(state, out, state.finder.At(ring));
        return 1;
    }
    PutSymbol(state, out, LengthSymbol(length));
    PutPosition(out, state.finder.MatchPosition());
    return length;
}

void EncodeStream(std::string_view plain, std::string& block)
{
    const auto state = AllocateState<EncoderState>();
    MatchFinder& finder = state->finder;
    BitWriter out(block);
    const auto* next = reinterpret_cast<const std::uint8_t*>(plain.data());
    const auto* const end = next + plain.size();

    finder.FillStart(kRingStart, kRingFill);
    int ring = kRingStart; // where the string to code starts
    int oldest = 0;        // the ring position to be overwritten next
    int lookahead = 0;     // input bytes from `ring` on
    for (; lookahead < kMaxMatch && next < end; ++lookahead)
        finder.Store(ring + lookahead, *next++);
    for (int i = 1; i <= kMaxMatch; ++i)
        finder.Insert(ring - i);
    finder.Insert(ring);

    do {
        const int covered = PutNextString(*state, out, ring, lookahead);
        for (int i = 0; i < covered; ++i) {
            finder.Delete(oldest);
            if (next < end)
                finder.Store(oldest, *next++);
            else
                --lookahead;
            oldest = (oldest + 1) & (kRingSize - 1);
            ring = (ring + 1) & (kRingSize - 1);
            if (lookahead > 0)
                finder.Insert(ring);
        }
    } while (lookahead > 0);
    out.Flush();
}

void AppendInt64(std::string& out, std::int64_t value)
{
    const auto bits = static_cast<std::uint64_t>(value);
    for (int shift = 0; shift < 64; shift += 8)
        out.push_back(static_cast<char>(bits >> shift));
}

void EncodeBlock(std::string_view plain, std::string& block)
{
    if (plain.size() < kShortestSource)
        return;
    block.push_back(static_cast<char>(kBlockMarker));
    AppendInt64(block, static_cast<std::int64_t>(plain.size()));
    EncodeStream(plain, block);
}

// ---- Decoding ----------------------------------------------------------------

int TakePosition(BitReader& bits)
{
    const unsigned first = bits.TakeBits(8);
    const int extra = kPositionDecode.length[first] - 2;
    const unsigned low = (first << extra) | bits.TakeBits(extra);
    return (kPositionDecode.upper[first] << 6) | static_cast<int>(low & 0x3F);
}

// The decoded bytes follow a copy of the ring's initial contents, so that a
// match reaches back into it like into any earlier output: the ring positions
// kRingStart to kRingSize - 1 (zero), then 0 to kRingStart - 1 (spaces).
class History {
public:
    explicit History(std::int64_t expected)
        : bytes_(kRingSize + static_cast<std::size_t>(expected) + kMaxMatch, '\0'), end_(kRingSize)
    {
        std::fill_n(bytes_.begin() + (kRingSize - kRingStart), kRingStart, static_cast<char>(kRingFill));
    }

    // Makes room for the longest match.
    void Reserve()
    {
        if (bytes_.size() - end_ < kMaxMatch)
            bytes_.resize(2 * bytes_.size());
    }

    void Append(int byte) { bytes_[end_++] = static_cast<char>(byte); }

    void AppendMatch(int distance, int length)
    {
        char* to = bytes_.data() + end_;
        const char* from = to - distance;
        end_ += static_cast<std::size_t>(length);
        if (distance >= length) {
            std::memcpy(to, from, static_cast<std::size_t>(length));
            return;
        }
        // The match overlaps what it writes: it repeats its first `distance`
        // bytes, so each copy may take twice as much of what is already written.
        std::memcpy(to, from, static_cast<std::size_t>(distance));
        for (int done = distance; done < length; done *= 2)
            std::memcpy(to + done, to, static_cast<std::size_t>(std::min(done, length - done)));
    }

    std::string TakeDecoded()
    {
        bytes_.resize(end_);
        bytes_.erase(0, kRingSize);
        return std::move(bytes_);
    }

private:
    std::string bytes_;
    std::size_t end_;
};

std::string DecodeStream(BitReader& bits, std::int64_t size, std::int64_t expectedSize)
{
    const auto model = AllocateState<HuffmanModel>();
    History history(expectedSize);
    for (std::int64_t count = 0; count < size;) {
        history.Reserve();
        const int symbol = model->DecodeAndUpdate(bits);
        if (symbol < kFirstLengthSymbol) {
            history.Append(symbol);
            ++count;
        } else {
            const int distance = TakePosition(bits) + 1;
            // A damaged block must not grow past its declared size.
            const auto length = static_cast<int>(std::min<std::int64_t>(MatchLengthOf(symbol), size - count));
            history.AppendMatch(distance, length);
            count += length;
        }
        if (bits.Overrun())
            ThrowDamaged();
    }
    return history.TakeDecoded();
}

std::int64_t ReadInt(std::string_view bytes, std::size_t width)
{
    if (bytes.size() < width)
        ThrowDamaged();
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= std::uint64_t{static_cast<std::uint8_t>(bytes[i])} << (8 * i);
    if (width == 4)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return static_cast<std::int64_t>(value);
}

struct BlockHeader {
    std::int64_t size;
    std::string_view stream;
};

// Every 10 bits code at most 60 bytes: a declared size beyond that cannot be
// met, and is not worth reserving memory for.
std::int64_t Reachable(std::string_view stream)
{
    return static_cast<std::int64_t>(stream.size()) * 48 + kMaxMatch;
}

bool CanBeMet(const BlockHeader& header)
{
    return header.size >= 0 && header.size <= Reachable(header.stream);
}

// A block that starts with the marker is of the new form, unless its size is
// one that no stream could meet while the old form's 32-bit size, whose lowest
// byte is then 0xFE, can be: the old block of such a size reads as before.
BlockHeader ReadHeader(std::string_view block)
{
    const BlockHeader old{ReadInt(block, 4), block.substr(std::min<std::size_t>(4, block.size()))};
    if (block.empty() || static_cast<std::uint8_t>(block.front()) != kBlockMarker)
        return old;
    const BlockHeader current{ReadInt(block.substr(1), 8), block.substr(std::min<std::size_t>(9, block.size()))};
    return !CanBeMet(current) && old.size > 0 && CanBeMet(old) ? old : current;
}

std::string DecodeBlock(std::string_view block)
{
    const BlockHeader header = ReadHeader(block);
    if (header.size <= 0)
        return {};
    const auto* begin = reinterpret_cast<const std::uint8_t*>(header.stream.data());
    BitReader bits(begin, begin + header.stream.size());
    return DecodeStream(bits, header.size, std::min(header.size, Reachable(header.stream)));
}

} // namespace

void LzhEncode(MemoryStream& source, MemoryStream* destination, bool append)
{
    if (!destination) {
        ShowPlainMessage("LZH.nach = nil");
        return;
    }
    // The block is made before the destination is touched, so that a stream
    // may be compressed into itself.
    std::string block;
    EncodeBlock(source.Bytes(), block);
    if (!append)
        destination->Clear();
    destination->Write(block);
}

void LzhDecode(MemoryStream& source, MemoryStream* destination, bool continueAtPosition)
{
    if (!destination) {
        ShowPlainMessage("LZH.nach = nil");
        return;
    }
    destination->Clear();
    if (source.Size() < static_cast<std::int64_t>(kShortestSource))
        return;
    const std::int64_t start = continueAtPosition ? std::min(source.Position(), source.Size()) : 0;
    const std::string_view block = std::string_view(source.Bytes()).substr(static_cast<std::size_t>(start));
    destination->Write(DecodeBlock(block));
    source.Seek(source.Size());
}

std::string LzhEncodeBytes(std::string_view plain)
{
    std::string block;
    EncodeBlock(plain, block);
    return block;
}

std::string LzhDecodeBytes(std::string_view block)
{
    if (block.size() < kShortestSource)
        return {};
    return DecodeBlock(block);
}

std::int64_t LzhDeclaredSize(std::string_view block)
{
    return ReadHeader(block).size;
}
