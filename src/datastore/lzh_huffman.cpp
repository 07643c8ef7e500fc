#include "datastore/lzh_huffman.h"

#include <algorithm>

namespace lzh {

HuffmanModel::HuffmanModel()
{
    for (int symbol = 0; symbol < kSymbols; ++symbol) {
        freq_[symbol] = 1;
        child_[symbol] = static_cast<std::int16_t>(symbol + kNodes);
        parent_[symbol + kNodes] = static_cast<std::int16_t>(symbol);
    }
    // Pair the nodes bottom-up: node n joins the two lowest nodes not yet joined.
    for (int first = 0, node = kSymbols; node <= kRoot; first += 2, ++node) {
        freq_[node] = static_cast<std::uint16_t>(freq_[first] + freq_[first + 1]);
        child_[node] = static_cast<std::int16_t>(first);
        parent_[first] = parent_[first + 1] = static_cast<std::int16_t>(node);
    }
    freq_[kNodes] = 0xFFFF;
    parent_[kRoot] = 0;
}

HuffmanModel::Code HuffmanModel::CodeOf(int symbol) const
{
    Code code{0, 0};
    int node = parent_[symbol + kNodes];
    do {
        // An odd node is the second of its pair: the one reached by a 1 bit.
        code.bits |= static_cast<std::uint32_t>(node & 1) << code.length;
        ++code.length;
        node = parent_[node];
    } while (node != kRoot);
    return code;
}

// Keeps only the leaves, halving their counts (rounding up), and joins them
// again into a tree in frequency order.
void HuffmanModel::Rebuild()
{
    int leaves = 0;
    for (int node = 0; node < kNodes; ++node) {
        if (child_[node] >= kNodes) {
            freq_[leaves] = static_cast<std::uint16_t>((freq_[node] + 1) / 2);
            child_[leaves] = child_[node];
            ++leaves;
        }
    }
    for (int first = 0, node = kSymbols; node < kNodes; first += 2, ++node) {
        const auto sum = static_cast<std::uint16_t>(freq_[first] + freq_[first + 1]);
        // The joined node goes after every node that does not count more.
        int slot = node - 1;
        while (sum < freq_[slot])
            --slot;
        ++slot;
        std::copy_backward(freq_.begin() + slot, freq_.begin() + node, freq_.begin() + node + 1);
        std::copy_backward(child_.begin() + slot, child_.begin() + node, child_.begin() + node + 1);
        freq_[slot] = sum;
        child_[slot] = static_cast<std::int16_t>(first);
    }
    for (int node = 0; node < kNodes; ++node)
        SetParent(child_[node], node);
    topStale_ = true;
}

void HuffmanModel::BuildTop()
{
    nearRoot_.fill(false);
    TopEntry entry{};
    FillTop(kRoot, 0, 0, entry);
    topStale_ = false;
}

// Fills the entries of the codes that start with the `depth` bits of `prefix`,
// which lead to `node` by the nodes in entry.path.
void HuffmanModel::FillTop(int node, int depth, unsigned prefix, TopEntry& entry)
{
    const int below = child_[node];
    if (depth == kTopLevels || below >= kNodes) {
        entry.node = static_cast<std::int16_t>(node);
        entry.depth = static_cast<std::int16_t>(depth);
        const int unread = kTopLevels - depth;
        std::fill_n(top_.begin() + (prefix << unread), 1 << unread, entry);
        if (depth < kTopLevels)
            nearRoot_[node] = true;
        return;
    }
    nearRoot_[node] = true;
    for (int bit = 0; bit < 2; ++bit) {
        entry.path[depth] = static_cast<std::int16_t>(below + bit);
        FillTop(below + bit, depth + 1, (prefix << 1) | static_cast<unsigned>(bit), entry);
    }
}

} // namespace lzh
