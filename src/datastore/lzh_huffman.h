#pragma once

#include "datastore/lzh_params.h"

#include <array>
#include <cstdint>

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
        std::uint32_t bits;  // right-aligned, the bit next to the root highest
        int length;
    };
    Code CodeOf(int symbol) const;

    // Walks from the root to a leaf, one bit of `bits` per level.
    template <class BitSource>
    int DecodeSymbol(BitSource& bits) const
    {
        int node = child_[kRoot];
        while (node < kNodes)
            node = child_[node + static_cast<int>(bits.TakeBit())];
        return node - kNodes;
    }

    // Counts one more occurrence of the symbol, rebuilding the tree first when
    // the root frequency has reached kMaxFreq.
    void Update(int symbol);

private:
    void Rebuild();
    void SwapSubtrees(int node, int other);
    void SetParent(int child, int parent);

    std::array<std::uint16_t, kNodes + 1> freq_;          // freq_[kNodes] is a sentinel
    std::array<std::int16_t, kNodes + kSymbols> parent_;  // from kNodes on: symbol -> leaf node
    std::array<std::int16_t, kNodes> child_;
};

// Inline: the decoder calls it for every symbol.
inline void HuffmanModel::Update(int symbol)
{
    if (freq_[kRoot] == kMaxFreq)
        Rebuild();
    int node = parent_[symbol + kNodes];
    do {
        const std::uint16_t count = ++freq_[node];
        // Keep the order: move the node past the run of nodes that now count less.
        if (count > freq_[node + 1]) {
            int last = node + 1;
            while (count > freq_[last + 1])
                ++last;
            freq_[node] = freq_[last];
            freq_[last] = count;
            SwapSubtrees(node, last);
            node = last;
        }
        node = parent_[node];
    } while (node != 0);
}

// Exchanges what hangs below two nodes; their frequencies are already exchanged.
inline void HuffmanModel::SwapSubtrees(int node, int other)
{
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
