#include "sim/entities/contact_track.h"

namespace q71 {

namespace {

// Squared offsets are exact to a few parts in 1e16 and the ranges in yards to about as much: a
// fix whose square falls short of the largest by more than this share cannot reach or tie its
// range in yards, and its range need not be worked out.
constexpr double kNearTieShare = 1e-9;
// Squares outside this span (below it they lose digits, above it they overflow, and NaN or
// infinite offsets compare otherwise than ranges do) are left to the plain walk.
constexpr double kLeastSquare = 1e-280;
constexpr double kMostSquare = 1e280;

double squaredOffset(const ContactFix& fix, const WorldPoint& from) {
    const double dx = fix.x - from.x, dy = fix.y - from.y;
    return dx * dx + dy * dy;
}

// The plain rule over the fixes whose square is at least `least`: the first largest range.
std::size_t farthestFrom(const FixList& fixes, const WorldPoint& from, double least) {
    std::size_t farthest = 0;
    double most = -1.0;
    for (std::size_t age = 0; age < fixes.size(); ++age) {
        if (squaredOffset(fixes[age], from) < least)
            continue;
        if (const double range = fixRangeYards(from, fixes[age]); range > most) {
            most = range;
            farthest = age;
        }
    }
    return farthest;
}

} // namespace

std::size_t farthestFixAge(const FixList& fixes, const WorldPoint& from) {
    double largest = 0.0;
    bool plain = false;
    for (std::size_t age = 0; age < fixes.size(); ++age) {
        const double square = squaredOffset(fixes[age], from);
        if (!(square <= kMostSquare)) {
            plain = true;
            break;
        }
        largest = square > largest ? square : largest;
    }
    if (plain || largest < kLeastSquare)
        return farthestFrom(fixes, from, -1.0);
    return farthestFrom(fixes, from, largest * (1.0 - kNearTieShare));
}

} // namespace q71
