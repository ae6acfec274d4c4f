#pragma once
// A fixed table remembering the rough depths of the points asked for, for lookups that come back
// to the same points again and again: the corners of the cells that the floor under a hull is
// worked out over are asked by every hull near them, every sub-step. A point is known by the bits
// of its two coordinates, so an answer remembered is the answer worked out, bit for bit. Each
// point may sit in any of the four slots of its set, kept in the order they were last asked for;
// a new point takes the place of the one asked for longest ago.

#include <cstdint>
#include <cstring>
#include <memory>
#include <algorithm>

namespace q71 {

class TerrainDepthMemo {
public:
    TerrainDepthMemo();

    /// The remembered answer for (x, y), or that of `work` (bool(double x, double y, double*
    /// depth), as worldDepthAt), worked out and remembered.
    template <class Work>
    bool depthAt(double x, double y, double* depth, Work work) {
        const std::uint64_t xBits = bitsOf(x), yBits = bitsOf(y);
        Slot* set = setOf(xBits, yBits);
        if (!set[0].holds(xBits, yBits)) {
            int found = 1;
            while (found < kWays && !set[found].holds(xBits, yBits))
                ++found;
            // The point comes first: the one found, or a new one in place of the last.
            std::rotate(set, set + (found < kWays ? found : kWays - 1), set + (found < kWays ? found + 1 : kWays));
            if (found == kWays) {
                set[0].known = work(x, y, &set[0].depth);
                set[0].x = xBits;
                set[0].y = yBits;
                set[0].filled = true;
            }
        }
        if (set[0].known)
            *depth = set[0].depth;
        return set[0].known;
    }

private:
    struct Slot {
        std::uint64_t x = 0, y = 0;
        double depth = 0.0;
        bool known = false;
        bool filled = false;

        bool holds(std::uint64_t xBits, std::uint64_t yBits) const { return filled && x == xBits && y == yBits; }
    };
    static constexpr int kSetBits = 12;
    static constexpr int kWays = 4;

    static std::uint64_t bitsOf(double v) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return bits;
    }
    Slot* setOf(std::uint64_t xBits, std::uint64_t yBits) {
        // Cell corners are round numbers, their low bits zero: the high bits of two odd products
        // mix every bit of both.
        const std::uint64_t mixed = xBits * 0x9E3779B97F4A7C15ULL ^ yBits * 0xC2B2AE3D27D4EB4FULL;
        return &slots_[kWays * (mixed >> (64 - kSetBits))];
    }

    std::unique_ptr<Slot[]> slots_;
};

} // namespace q71
