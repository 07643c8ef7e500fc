#include "datastore/lzh_bit_stream.h"
#include "datastore/lzh_codec.h"
#include "datastore/lzh_huffman.h"
#include "recording_messages.h"
#include "support/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kVectorDir = fs::path(TAPSODY_TESTDATA_DIR) / "lzhuf";

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Vector {
    std::string name;
    std::string plain;
    std::string block;
    bool oldForm; // a block the encoder no longer writes, for decoding only
};

// Every NAME.in with its NAME.lzh.
std::vector<Vector> LoadVectors()
{
    std::vector<Vector> vectors;
    for (const auto& entry : fs::directory_iterator(kVectorDir)) {
        const fs::path& path = entry.path();
        if (path.extension() != ".in")
            continue;
        const std::string name = path.stem().string();
        vectors.push_back(
            {name, ReadFile(path), ReadFile(fs::path(path).replace_extension(".lzh")), name.starts_with("oldform")});
    }
    return vectors;
}

std::string Int64Le(std::int64_t value)
{
    std::string bytes;
    for (int shift = 0; shift < 64; shift += 8)
        bytes.push_back(static_cast<char>(static_cast<std::uint64_t>(value) >> shift));
    return bytes;
}

// A block with another declared size in front of the same bit stream.
std::string WithDeclaredSize(const std::string& block, std::int64_t size)
{
    return block.substr(0, 1) + Int64Le(size) + block.substr(9);
}

std::string RandomBytes(std::size_t count, unsigned seed, int alphabet = 256)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(random));
    return bytes;
}

// ---- The textbook bit stream ----------------------------------------------------

TEST(LzhCodec, EveryVectorEncodesByteForByteAndDecodesBack)
{
    const std::vector<Vector> vectors = LoadVectors();
    ASSERT_GE(vectors.size(), 18u) << kVectorDir;
    for (const Vector& v : vectors) {
        SCOPED_TRACE(v.name);
        if (!v.oldForm) {
            EXPECT_EQ(LzhEncodeBytes(v.plain), v.block);
        }
        if (v.plain.size() >= 5) {
            EXPECT_EQ(LzhDecodeBytes(v.block), v.plain);
        }
    }
}

TEST(LzhCodec, BlockHeaderIsMarkerAndSigned64BitSize)
{
    const std::string plain = RandomBytes(70000, 1);
    const std::string block = LzhEncodeBytes(plain);
    ASSERT_GT(block.size(), 9u);
    EXPECT_EQ(block.substr(0, 9), "\xFE" + Int64Le(70000));
}

TEST(LzhCodec, OldFormBlockIsReadWithA32BitSize)
{
    const std::string plain = ReadFile(kVectorDir / "oldform_ini_crlf.in");
    const std::string oldBlock = ReadFile(kVectorDir / "oldform_ini_crlf.lzh");
    ASSERT_NE(static_cast<unsigned char>(oldBlock[0]), 0xFE);
    EXPECT_EQ(LzhDecodeBytes(oldBlock), plain);
    // Same bit stream as the new form, behind a shorter header.
    EXPECT_EQ(LzhEncodeBytes(plain).substr(9), oldBlock.substr(4));

    // A size whose lowest byte is 0xFE starts an old block with the marker byte.
    for (const std::size_t size : {254u, 510u, 1790u, 3326u}) {
        const std::string text = plain.substr(0, size);
        const std::string stream = LzhEncodeBytes(text).substr(9);
        const std::string sizeBytes = Int64Le(static_cast<std::int64_t>(size)).substr(0, 4);
        EXPECT_EQ(LzhDecodeBytes(sizeBytes + stream), text) << size;
    }
}

TEST(LzhCodec, SpacesAreMatchesFromTheFirstByte)
{
    // The ring starts full of spaces, so 60 spaces are one match: a length
    // symbol and a position, 3 bytes together; as literals they would take 60 codes.
    const std::string spaces(60, ' ');
    const std::string block = LzhEncodeBytes(spaces);
    EXPECT_EQ(block.size(), 9u + 3u);
    EXPECT_EQ(LzhDecodeBytes(block), spaces);
}

TEST(LzhCodec, RoundTripsAssortedInputs)
{
    const std::vector<std::string> inputs = {
        "abcde",
        std::string(5, '\0'),
        std::string(4097, 'x') + "tail",
        RandomBytes(3, 2) + std::string(61, ' ') + RandomBytes(3, 3),
        RandomBytes(50000, 4, 4),   // small alphabet: many overlapping matches
        RandomBytes(200000, 5, 40), // several ring turns and tree rebuilds
    };
    for (const std::string& plain : inputs) {
        SCOPED_TRACE(plain.size());
        EXPECT_EQ(LzhDecodeBytes(LzhEncodeBytes(plain)), plain);
    }
}

// The model's codes may grow longer than 16 bits for rare symbols; they must be
// written whole, or the decoder walking the tree loses its way.
TEST(LzhHuffman, LongCodesComeBackWhole)
{
    lzh::HuffmanModel encoder;
    // Fibonacci-weighted counts starting near the weight of all the other leaves.
    long weight = 377;
    long next = 377;
    for (int symbol = 0; symbol < 8; ++symbol) {
        for (long i = 0; i < weight; ++i)
            encoder.Update(symbol);
        const long sum = weight + next;
        weight = next;
        next = sum;
    }
    lzh::HuffmanModel decoder = encoder;

    int longest = 0;
    std::string stream;
    lzh::BitWriter writer(stream);
    for (int symbol = lzh::kSymbols - 1; symbol >= 0; --symbol) {
        const lzh::HuffmanModel::Code code = encoder.CodeOf(symbol);
        longest = std::max(longest, code.length);
        writer.Put(code.bits, code.length);
        encoder.Update(symbol);
    }
    writer.Flush();
    EXPECT_GT(longest, 16);

    const auto* bytes = reinterpret_cast<const std::uint8_t*>(stream.data());
    lzh::BitReader reader(bytes, bytes + stream.size());
    for (int symbol = lzh::kSymbols - 1; symbol >= 0; --symbol)
        ASSERT_EQ(decoder.DecodeAndUpdate(reader), symbol);
    EXPECT_FALSE(reader.Overrun());
}

// ---- Short inputs and declared sizes -----------------------------------------

TEST(LzhCodec, InputsShorterThanFiveBytesGiveNothing)
{
    for (std::size_t length = 0; length < 5; ++length) {
        SCOPED_TRACE(length);
        const std::string shortInput(length, 'a');
        EXPECT_EQ(LzhEncodeBytes(shortInput), "");
        EXPECT_EQ(LzhDecodeBytes(shortInput), "");

        MemoryStream source(shortInput);
        MemoryStream destination(std::string("kept"));
        destination.Seek(4);
        LzhEncode(source, &destination, true);
        EXPECT_EQ(destination.Bytes(), "kept");

        MemoryStream decoded(std::string("old"));
        LzhDecode(source, &decoded);
        EXPECT_EQ(decoded.Bytes(), "");
        EXPECT_EQ(decoded.Position(), 0);
    }
}

TEST(LzhCodec, SizeOfZeroOrLessGivesEmptyOutput)
{
    const std::string stream = LzhEncodeBytes("hello world").substr(9);
    EXPECT_EQ(LzhDecodeBytes("\xFE" + Int64Le(0) + stream), "");
    EXPECT_EQ(LzhDecodeBytes("\xFE" + Int64Le(-5) + stream), "");
    // Old form: the 4 size bytes are a signed 32-bit number.
    EXPECT_EQ(LzhDecodeBytes(std::string("\xFF\xFF\xFF\xFF", 4) + stream), "");
    EXPECT_EQ(LzhDecodeBytes(std::string("\x00\x00\x00\x80", 4) + stream), "");
    EXPECT_EQ(LzhDecodeBytes(std::string("\x0B\x00\x00\x00", 4) + stream), "hello world");
}

TEST(LzhCodec, NoBlockYieldsMoreThanItsDeclaredSize)
{
    // One 60-byte match after another: a smaller size cuts a match short.
    const std::string block = ReadFile(kVectorDir / "run_A_20000.lzh");
    for (std::int64_t size : {1, 3, 59, 61, 100, 19999})
        EXPECT_EQ(LzhDecodeBytes(WithDeclaredSize(block, size)), std::string(size, 'A'));

    const std::string plain = ReadFile(kVectorDir / "german_cp1252.in");
    const std::string german = ReadFile(kVectorDir / "german_cp1252.lzh");
    for (std::int64_t size = 1; size < static_cast<std::int64_t>(plain.size()); size += 97)
        EXPECT_EQ(LzhDecodeBytes(WithDeclaredSize(german, size)), plain.substr(0, size));
}

// ---- Damaged blocks --------------------------------------------------------------

TEST(LzhCodec, TruncatedBlocksAreReported)
{
    for (const Vector& v : LoadVectors()) {
        if (v.block.size() < 10)
            continue;
        SCOPED_TRACE(v.name);
        // Cuts in the header, across the stream, and in its last bytes: the last
        // byte always holds bits of the last code, padding or not.
        std::vector<std::size_t> cuts = {5, 8, 9, 10, v.block.size() - 2, v.block.size() - 1};
        for (std::size_t cut = 11; cut < v.block.size(); cut += v.block.size() / 40 + 1)
            cuts.push_back(cut);
        for (const std::size_t cut : cuts)
            EXPECT_THROW(LzhDecodeBytes(v.block.substr(0, cut)), ElzhException) << cut;
    }
}

TEST(LzhCodec, DeclaredSizeBeyondTheStreamIsReported)
{
    const std::string block = LzhEncodeBytes("some text, some text");
    EXPECT_THROW(LzhDecodeBytes(WithDeclaredSize(block, 1000)), ElzhException);
    // A huge size must fail on the data, not on reserving memory for it.
    EXPECT_THROW(LzhDecodeBytes(WithDeclaredSize(block, std::int64_t{1} << 60)), ElzhException);
    try {
        LzhDecodeBytes(WithDeclaredSize(block, 1000));
    } catch (const ElzhException& error) {
        EXPECT_STREQ(error.what(), "LZH : The compressed data is damaged or incomplete");
    }
}

// ---- The stream forms -------------------------------------------------------------

TEST(LzhCodec, EncodeReadsTheWholeSourceAndReplacesOrAppends)
{
    const std::string plain = "Tastatur Tastatur Tastatur";
    const std::string block = LzhEncodeBytes(plain);
    MemoryStream source(plain);
    source.Seek(10);

    MemoryStream replaced(std::string("earlier contents"));
    LzhEncode(source, &replaced);
    EXPECT_EQ(replaced.Bytes(), block);
    EXPECT_EQ(replaced.Position(), static_cast<std::int64_t>(block.size()));

    MemoryStream appended(std::string("SIG"));
    appended.Seek(3);
    LzhEncode(source, &appended, true);
    EXPECT_EQ(appended.Bytes(), "SIG" + block);
}

TEST(LzhCodec, StreamCanBeCompressedIntoItself)
{
    const std::string plain = "Programm beenden? Programm beenden?";
    MemoryStream stream(plain);
    LzhEncode(stream, &stream);
    EXPECT_EQ(stream.Bytes(), LzhEncodeBytes(plain));
}

TEST(LzhCodec, DecodeStartsAtTheBeginningOrContinuesAtThePosition)
{
    const std::string plain = "Kein Autoselect, kein Autoselect";
    const std::string block = LzhEncodeBytes(plain);

    MemoryStream whole(block);
    whole.Seek(7);
    MemoryStream destination(std::string("previous contents, longer than the result"));
    LzhDecode(whole, &destination);
    EXPECT_EQ(destination.Bytes(), plain);
    EXPECT_EQ(destination.Position(), static_cast<std::int64_t>(plain.size()));

    MemoryStream signed_(std::string("SIG") + block);
    signed_.Seek(3);
    LzhDecode(signed_, &destination, true);
    EXPECT_EQ(destination.Bytes(), plain);
}

TEST(LzhCodec, ContinueStillChecksTheWholeSourceSize)
{
    // Four bytes in all: nothing happens, wherever the position is.
    MemoryStream source(std::string("SIG\xFE"));
    source.Seek(3);
    MemoryStream destination(std::string("old"));
    LzhDecode(source, &destination, true);
    EXPECT_EQ(destination.Bytes(), "");

    // Five bytes in all, but only two behind the position: not a whole header.
    MemoryStream longer(std::string("SIG\xFE\x01"));
    longer.Seek(3);
    EXPECT_THROW(LzhDecode(longer, &destination, true), ElzhException);
}

TEST(LzhCodec, MissingDestinationIsAPlainComplaint)
{
    RecordingMessages messages;
    MessageService* previous = SetMessageService(&messages);
    MemoryStream source(std::string("abcdefgh"));
    LzhEncode(source, nullptr);
    LzhDecode(source, nullptr);
    SetMessageService(previous);
    EXPECT_EQ(messages.plain, (std::vector<std::string>{"LZH.nach = nil", "LZH.nach = nil"}));
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
