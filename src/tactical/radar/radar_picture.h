#pragma once
// The radar scope's picture: 212 by 212 levels, 0 to 63, drawn with pens of width 3 that write a
// level, faded a little with every ray so that old returns die away behind the sweep.

#include <array>
#include <cstdint>
#include <span>

namespace q71 {

inline constexpr int kScopeSize = 212;
inline constexpr int kScopeCentre = 106; ///< the centre's picture point, both axes
inline constexpr int kScopeRadius = 106;
inline constexpr int kScopeTopLevel = 63;

/// A level held to the scope's pens, 0 to 63.
int scopeLevel(long long level);

class RadarPicture {
public:
    std::uint8_t at(int x, int y) const;
    std::span<const std::uint8_t> row(int y) const;
    void clear() { levels_.fill(0); }
    /// Every level above n + 1 is lowered by n.
    void fade(int n);
    /// A line of width 3 from one point to the other writing `level` (held to 0-63).
    void line(double x0, double y0, double x1, double y1, int level);

private:
    void dot(int x, int y, std::uint8_t level);

    std::array<std::uint8_t, kScopeSize * kScopeSize> levels_{};
};

} // namespace q71
