#pragma once

#include <array>
#include <cstdint>

// Parameters of the LZHUF format: LZSS matching over a 4096-byte ring, with
// literals and match lengths coded by an adaptive Huffman tree and match
// positions by a fixed code for their upper 6 bits.
namespace lzh {

inline constexpr int kRingSize = 4096;                        // N: positions are 12 bits
inline constexpr int kMaxMatch = 60;                          // F: look-ahead, longest match
inline constexpr int kThreshold = 2;                          // matches are longer than this
inline constexpr int kNil = kRingSize;                        // empty link in the match trees
inline constexpr int kSymbols = 256 - kThreshold + kMaxMatch; // 256 literals + 58 lengths
inline constexpr int kNodes = 2 * kSymbols - 1;               // nodes of the Huffman tree
inline constexpr int kRoot = kNodes - 1;
inline constexpr std::uint16_t kMaxFreq = 0x8000; // root frequency forcing a rebuild
inline constexpr int kFirstLengthSymbol = 256;
// The ring starts filled with spaces up to where the first input byte goes.
inline constexpr int kRingStart = kRingSize - kMaxMatch;
inline constexpr std::uint8_t kRingFill = 0x20;

inline constexpr int LengthSymbol(int matchLength)
{
    return 255 - kThreshold + matchLength;
}
inline constexpr int MatchLengthOf(int symbol)
{
    return symbol - 255 + kThreshold;
}

// Code for the upper 6 bits of a match position: its length in bits, and the
// code itself left-aligned in a byte. Short codes go to near positions.
inline constexpr std::array<std::uint8_t, 64> kPositionCodeLength = {
    3, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8,
};
inline constexpr std::array<std::uint8_t, 64> kPositionCode = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90, 0x94, 0x98, 0x9C,
    0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2, 0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE,
    0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC, 0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
};

// The decoding pair, indexed by the next 8 bits of the stream: the upper 6
// bits of the position, and the length of the code those 8 bits start with.
struct PositionDecodeTables {
    std::array<std::uint8_t, 256> upper{};
    std::array<std::uint8_t, 256> length{};
};

inline constexpr PositionDecodeTables MakePositionDecodeTables()
{
    PositionDecodeTables tables;
    for (int upper = 0; upper < 64; ++upper) {
        const int first = kPositionCode[upper];
        const int count = 1 << (8 - kPositionCodeLength[upper]);
        for (int byte = first; byte < first + count; ++byte) {
            tables.upper[byte] = static_cast<std::uint8_t>(upper);
            tables.length[byte] = kPositionCodeLength[upper];
        }
    }
    return tables;
}

inline constexpr PositionDecodeTables kPositionDecode = MakePositionDecodeTables();

} // namespace lzh
