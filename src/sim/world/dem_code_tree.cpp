#include "sim/world/dem_code_tree.h"

#include <algorithm>

namespace q71 {

DemCodeTree demBuildCodeTree(std::span<const uint32_t, 256> weights) {
    DemCodeTree tree;
    auto& nodes = tree.nodes;
    for (int i = 0; i < 256; ++i)
        nodes[i].weight = weights[i];
    nodes[DemCodeTree::kEndSymbol].weight = 1;
    nodes[DemCodeTree::kSentinel].weight = 0xFFFFFFFFu;

    int count = DemCodeTree::kEndSymbol + 1;
    while (count < DemCodeTree::kSentinel) {
        // The two lightest nodes still in play; equal weights go to the lower node number.
        int first = DemCodeTree::kSentinel, second = DemCodeTree::kSentinel;
        for (int n = 0; n < count; ++n) {
            const uint32_t w = nodes[n].weight;
            if (w == 0)
                continue;
            if (w < nodes[first].weight) {
                second = first;
                first = n;
            } else if (w < nodes[second].weight) {
                second = n;
            }
        }
        if (second == DemCodeTree::kSentinel)
            break;
        // Weights from a damaged file could wrap to 0 (dropping the node from every later
        // scan) or reach the sentinel's; the sum stops just below it instead.
        const uint64_t sum = uint64_t{nodes[first].weight} + nodes[second].weight;
        nodes[count] = {static_cast<uint32_t>(std::min<uint64_t>(sum, 0xFFFFFFFEu)),
                        static_cast<int16_t>(first), static_cast<int16_t>(second)};
        nodes[first].weight = 0;
        nodes[second].weight = 0;
        ++count;
    }
    tree.root = count - 1;
    return tree;
}

bool demHuffmanDecode(const DemCodeTree& tree, std::span<const uint8_t> payload, std::vector<uint8_t>& out) {
    out.clear();
    const size_t totalBits = payload.size() * 8;
    size_t bit = 0;
    for (;;) {
        int node = tree.root;
        while (node > DemCodeTree::kEndSymbol) {
            if (bit >= totalBits)
                return false; // no end symbol
            const int value = (payload[bit >> 3] >> (7 - (bit & 7))) & 1;
            ++bit;
            node = value ? tree.nodes[node].right : tree.nodes[node].left;
        }
        if (node == DemCodeTree::kEndSymbol)
            return true;
        if (out.size() >= DemCodeTree::kMaxStream)
            return false;
        out.push_back(static_cast<uint8_t>(node));
    }
}

} // namespace q71
