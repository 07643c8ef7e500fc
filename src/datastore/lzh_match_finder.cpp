#include "datastore/lzh_match_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lzh {

MatchFinder::MatchFinder()
{
    for (int root = kRingSize + 1; root <= kRingSize + 256; ++root)
        right_[root] = kNil;
    for (int node = 0; node < kRingSize; ++node)
        parent_[node] = kNil;
}

void MatchFinder::FillStart(int count, std::uint8_t byte)
{
    std::fill_n(text_.begin(), count, byte);
}

void MatchFinder::Store(int position, std::uint8_t byte)
{
    text_[position] = byte;
    if (position < kMaxMatch - 1)
        text_[position + kRingSize] = byte;
}

MatchFinder::Comparison MatchFinder::Compare(int position, int candidate) const
{
    // The first bytes are equal: both strings are in the same tree.
    const std::uint8_t* key = &text_[position];
    const std::uint8_t* other = &text_[candidate];
    for (int i = 1; i < kMaxMatch; i += 8) {
        std::uint64_t a;
        std::uint64_t b;
        std::memcpy(&a, key + i, sizeof a);
        std::memcpy(&b, other + i, sizeof b);
        if (a == b)
            continue;
        const std::uint64_t differing = a ^ b;
        const int skip =
            std::endian::native == std::endian::little ? std::countr_zero(differing) : std::countl_zero(differing);
        const int at = i + skip / 8;
        if (at >= kMaxMatch)
            break;
        return {at, key[at] - other[at]};
    }
    return {kMaxMatch, 0};
}

void MatchFinder::Insert(int position)
{
    int node = kRingSize + 1 + text_[position];
    int difference = 1;
    right_[position] = left_[position] = kNil;
    matchLength_ = 0;
    for (;;) {
        std::int16_t& next = difference >= 0 ? right_[node] : left_[node];
        if (next == kNil) {
            next = static_cast<std::int16_t>(position);
            parent_[position] = static_cast<std::int16_t>(node);
            return;
        }
        node = next;
        const Comparison match = Compare(position, node);
        difference = match.difference;
        if (match.length <= kThreshold)
            continue;
        const int distance = ((position - node) & (kRingSize - 1)) - 1;
        if (match.length > matchLength_) {
            matchPosition_ = distance;
            matchLength_ = match.length;
            if (matchLength_ >= kMaxMatch)
                break;
        } else if (match.length == matchLength_ && distance < matchPosition_) {
            matchPosition_ = distance;
        }
    }
    ReplaceNode(node, position);
}

// Puts the new string in the old one's place; the old one leaves the trees.
void MatchFinder::ReplaceNode(int old, int position)
{
    parent_[position] = parent_[old];
    left_[position] = left_[old];
    right_[position] = right_[old];
    parent_[left_[old]] = static_cast<std::int16_t>(position);
    parent_[right_[old]] = static_cast<std::int16_t>(position);
    ReplaceLink(old, position);
    parent_[old] = kNil;
}

// Points the link that led to `old` from its parent at `replacement`.
void MatchFinder::ReplaceLink(int old, int replacement)
{
    const int above = parent_[old];
    if (right_[above] == old)
        right_[above] = static_cast<std::int16_t>(replacement);
    else
        left_[above] = static_cast<std::int16_t>(replacement);
}

void MatchFinder::Delete(int position)
{
    if (parent_[position] == kNil)
        return;
    int replacement;
    if (right_[position] == kNil) {
        replacement = left_[position];
    } else if (left_[position] == kNil) {
        replacement = right_[position];
    } else {
        // The largest string below the left child takes the deleted one's place.
        replacement = left_[position];
        if (right_[replacement] != kNil) {
            do
                replacement = right_[replacement];
            while (right_[replacement] != kNil);
            right_[parent_[replacement]] = left_[replacement];
            parent_[left_[replacement]] = parent_[replacement];
            left_[replacement] = left_[position];
            parent_[left_[position]] = static_cast<std::int16_t>(replacement);
        }
        right_[replacement] = right_[position];
        parent_[right_[position]] = static_cast<std::int16_t>(replacement);
    }
    parent_[replacement] = parent_[position];
    ReplaceLink(position, replacement);
    parent_[position] = kNil;
}

} // namespace lzh
