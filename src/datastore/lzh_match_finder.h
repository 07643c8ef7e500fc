#pragma once

#include "datastore/lzh_params.h"

#include <array>
#include <cstdint>

namespace lzh {

// The encoder's text ring and its match finder: 256 binary search trees, one per
// first byte, over the strings that start at the ring positions inserted.
//
// A run starts from an all-zero state, and the search compares up to kMaxMatch
// bytes even where they lie past the end of the input; the position it picks
// can depend on those bytes, so they are kept exactly as the format's encoder
// keeps them.
class MatchFinder {
public:
    MatchFinder();

    std::uint8_t At(int position) const { return text_[position]; }
    // Fills the ring's start without the copy behind its end, which stays zero
    // until Store() writes there.
    void FillStart(int count, std::uint8_t byte);
    // Puts a byte into the ring, and into the copy of the ring's start that
    // lets comparisons run past the ring's end.
    void Store(int position, std::uint8_t byte);

    // Inserts the string at `position` and finds the longest earlier match for
    // it; of equally long matches, the nearest wins. A full-length match takes
    // the older string's place in its tree.
    void Insert(int position);
    void Delete(int position);

    int MatchLength() const { return matchLength_; }
    // Distance back to the match, minus 1.
    int MatchPosition() const { return matchPosition_; }

private:
    struct Comparison {
        int length;     // bytes that agree, kMaxMatch at most
        int difference; // sign: where the new string sorts against the old
    };
    Comparison Compare(int position, int candidate) const;
    void ReplaceNode(int old, int position);
    void ReplaceLink(int old, int replacement);

    static constexpr int kTextSize = kRingSize + kMaxMatch - 1;
    static constexpr int kSlack = 8; // lets comparisons read whole words
    std::array<std::uint8_t, kTextSize + kSlack> text_{};
    std::array<std::int16_t, kRingSize + 1> left_{};
    std::array<std::int16_t, kRingSize + 257> right_{}; // from kRingSize + 1: tree roots
    std::array<std::int16_t, kRingSize + 1> parent_{};
    int matchPosition_ = 0;
    int matchLength_ = 0;
};

} // namespace lzh
