#pragma once
// The soundings the own boat keeps for the fathometer and the navigation plot: five rings of
// 350 samples, one taken every 10 s, the others every 80, 120, 240 and 480 s from the finer
// ones, so that the display can show the last hour or the last two days at one sample a pixel.
// The 80 s ring also keeps where the boat was (its track on the chart).
//
// A ring is read newest first, from its newest index up to (not including) its end index,
// wrapping at 350; a new sample moves the newest index down by one, and when it meets the end
// index the end moves down too, dropping the oldest sample.

#include <array>
#include <cstdint>

namespace q71 {

/// One sounding: the water depth and the boat's depth, whole metres below the surface.
struct DepthEntry {
    double time = 0.0;            ///< game time of the sample
    std::uint32_t waterDepth = 0; ///< truncated |terrain height|
    std::uint32_t ownDepth = 0;   ///< truncated |z|
};

/// A position of the boat's track, metres.
struct TrackPosition {
    double x = 0.0, y = 0.0;
};

class DepthRing {
public:
    static constexpr int kSize = 350;

    /// Takes a sample: the newest index moves down, pushing the end index along when they meet.
    /// Returns the slot written.
    int push(const DepthEntry& entry);
    /// The number of samples held, at most kSize − 1.
    int count() const { return (end - newest + kSize) % kSize; }
    /// The sample `age` places older than the newest (0: the newest); age must be below count().
    const DepthEntry& at(int age) const { return entries[static_cast<std::size_t>((newest + age) % kSize)]; }
    /// The game time of the newest sample (0 before the first, as the zeroed ring holds).
    double newestTime() const { return entries[static_cast<std::size_t>(newest)].time; }

    std::array<DepthEntry, kSize> entries{};
    std::int32_t newest = 0; ///< slot of the newest sample
    std::int32_t end = 0;    ///< slot after the oldest sample
};

/// The five rings, by their interval in tens of seconds (the fathometer's history codes).
struct DepthHistory {
    DepthRing ring10s;  ///< code 1
    DepthRing track80s; ///< code 8, with the positions below
    std::array<TrackPosition, DepthRing::kSize> trackPositions{};
    DepthRing ring120s; ///< code 12
    DepthRing ring240s; ///< code 24
    DepthRing ring480s; ///< code 48

    /// True when a ring takes a sample at `now`.
    bool due(double now) const;
    /// Takes whatever samples are due at `now`: the boat at (x, y, z) over a bottom at `bottom`
    /// (a height, negative below the surface).
    void record(double now, double x, double y, double z, double bottom);
    /// The ring of a fathometer history code (1, 8, 12, 24 or 48), or null for another code.
    const DepthRing* byCode(int code) const;
};

} // namespace q71
