#pragma once

#include "datastore/lzh_params.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace lzh {

// The adaptive Huffman tree of the LZHUF format, shared by encoder and decoder:
// both start from the same tree and make the same update after each symbol.
//
// Nodes are kept in nondecreasing order of frequency, the root last. Siblings
// sit side by side: child_[n] names the first of a node's two children, or,
// for a leaf, its symbol plus kNodes.
class HuffmanModel {
public:
    HuffmanModel();

    struct Code {
        std::uint32_t bits; // right-aligned, the bit next to the root highest
        int length;
    };
    Code CodeOf(int symbol) const;

    // Reads one symbol's code from `bits` and counts the symbol, as Update()
    // does.
    template <class BitSource>
    int DecodeAndUpdate(BitSource& bits);

    // Counts one more occurrence of the symbol, rebuilding the tree first when
    // the root frequency has reached kMaxFreq.
    void Update(int symbol);

private:
    // The first bits of a code lead through the few nodes nearest the root,
    // which rarely move (those nodes count the most): a table over those bits
    // saves walking them one by one. Moving one of them makes it stale.
    static constexpr int kTopLevels = 6;
    struct TopEntry {
        std::array<std::int16_t, kTopLevels> path; // the nodes below the root on the way
        std::int16_t node;                         // a leaf, or the node kTopLevels deep
        std::int16_t depth;                        // the bits it takes to get there
    };

    void CountFrom(int node);
    void Rebuild();
    int RunEnd(int from, std::uint16_t count) const;
    void SwapSubtrees(int node, int other);
    void SetParent(int child, int parent);
    void BuildTop();
    void FillTop(int node, int depth, unsigned prefix, TopEntry& entry);

    // freq_[kNodes] is a sentinel; RunEnd() reads up to 3 entries past it.
    std::array<std::uint16_t, kNodes + 4> freq_{};
    std::array<std::int16_t, kNodes + kSymbols> parent_; // from kNodes on: symbol -> leaf node
    std::array<std::int16_t, kNodes> child_;
    std::array<std::int16_t, kNodes> path_; // the nodes from the root to the last leaf read

    std::array<TopEntry, 1 << kTopLevels> top_; // indexed by the next kTopLevels bits
    std::array<bool, kNodes> nearRoot_{};       // the nodes whose links top_ follows
    bool topStale_ = true;
};

// The walk down takes its first steps from the table, then one bit at a time.
// It remembers its way, so that counting on the way back up need not look up
// each parent, until a node that must move changes the way.
template <class BitSource>
int HuffmanModel::DecodeAndUpdate(BitSource& bits)
{
    if (topStale_)
        BuildTop();
    const TopEntry& top = top_[bits.PeekBits(kTopLevels)];
    bits.SkipBits(top.depth);
    path_[0] = kRoot;
    std::memcpy(&path_[1], top.path.data(), sizeof top.path);
    int depth = top.depth;
    int node = child_[top.node];
    while (node < kNodes) {
        node += static_cast<int>(bits.TakeBit());
        path_[++depth] = static_cast<std::int16_t>(node);
        node = child_[node];
    }
    const int symbol = node - kNodes;
    if (freq_[kRoot] == kMaxFreq) {
        Update(symbol);
        return symbol;
    }
    for (; depth >= 0; --depth) {
        const int on = path_[depth];
        if (freq_[on] >= freq_[on + 1]) {
            CountFrom(on);
            break;
        }
        ++freq_[on];
    }
    return symbol;
}

inline void HuffmanModel::Update(int symbol)
{
    if (freq_[kRoot] == kMaxFreq)
        Rebuild();
    CountFrom(parent_[symbol + kNodes]);
}

// Counts one more for the node and every node above it.
// Inline, as the decoder runs it for nearly every symbol.
inline void HuffmanModel::CountFrom(int node)
{
    do {
        const std::uint16_t count = ++freq_[node];
        // Keep the order: move the node past the run of nodes that now count less.
        if (count > freq_[node + 1]) {
            const int last = RunEnd(node + 1, count);
            freq_[node] = freq_[last];
            freq_[last] = count;
            SwapSubtrees(node, last);
            node = last;
        }
        node = parent_[node];
    } while (node != 0);
}

// The last node from `from` on that counts less than `count` (at most 0x8000),
// found 4 counts at a time: runs of equal counts can be long.
inline int HuffmanModel::RunEnd(int from, std::uint16_t count) const
{
    constexpr std::uint64_t kHigh = 0x8000'8000'8000'8000;
    const std::uint64_t counts = 0x0001'0001'0001'0001 * count;
    for (int next = from + 1;; next += 4) {
        std::uint64_t four;
        std::memcpy(&four, &freq_[next], sizeof four);
        // Per 16-bit lane, the top bit tells whether it counts at least `count`:
        // with the top bit set, no lane borrows from the next one.
        const std::uint64_t atLeast = (((four | kHigh) - counts) | four) & kHigh;
        if (atLeast != 0) {
            const int lane = std::endian::native == std::endian::little ? std::countr_zero(atLeast) / 16
                                                                        : std::countl_zero(atLeast) / 16;
            return next + lane - 1;
        }
    }
}

// Exchanges what hangs below two nodes; their frequencies are already exchanged.
inline void HuffmanModel::SwapSubtrees(int node, int other)
{
    if (nearRoot_[node] || nearRoot_[other])
        topStale_ = true;
    const int below = child_[node];
    const int otherBelow = child_[other];
    SetParent(below, other);
    SetParent(otherBelow, node);
    child_[node] = static_cast<std::int16_t>(otherBelow);
    child_[other] = static_cast<std::int16_t>(below);
}

// A leaf entry has one parent link; an inner pair has one per child.
inline void HuffmanModel::SetParent(int child, int parent)
{
    parent_[child] = static_cast<std::int16_t>(parent);
    if (child < kNodes)
        parent_[child + 1] = static_cast<std::int16_t>(parent);
}

} // namespace lzh
