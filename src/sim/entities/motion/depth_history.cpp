#include "sim/entities/motion/depth_history.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

// Game times are sums of sub-steps: a sample falls due a hair short of its interval.
constexpr double kHair = 1e-9;

bool ringDue(const DepthRing& ring, double now, double interval) {
    return now - ring.newestTime() >= interval - kHair;
}

std::uint32_t wholeMetres(double metres) {
    return static_cast<std::uint32_t>(std::min(std::fabs(metres), 4.0e9));
}

// The sample of a coarser ring: the deepest water and the shallowest depth of the boat, of now and
// of the `span` newest samples of the finer ring.
DepthEntry gathered(double now, const DepthEntry& present, const DepthRing& finer, int span) {
    DepthEntry entry = present;
    entry.time = now;
    for (int age = 0; age < std::min(span, finer.count()); ++age) {
        entry.waterDepth = std::max(entry.waterDepth, finer.at(age).waterDepth);
        entry.ownDepth = std::min(entry.ownDepth, finer.at(age).ownDepth);
    }
    return entry;
}

// Seconds between two samples of each ring.
constexpr double k10s = 10.0, kTrack = 80.0, k120s = 120.0, k240s = 240.0, k480s = 480.0;

} // namespace

int DepthRing::push(const DepthEntry& entry) {
    newest = (newest + kSize - 1) % kSize;
    if (newest == end)
        end = (end + kSize - 1) % kSize;
    entries[static_cast<std::size_t>(newest)] = entry;
    return newest;
}

bool DepthHistory::due(double now) const {
    return ringDue(ring10s, now, k10s) || ringDue(track80s, now, kTrack) || ringDue(ring120s, now, k120s) ||
           ringDue(ring240s, now, k240s) || ringDue(ring480s, now, k480s);
}

void DepthHistory::record(double now, double x, double y, double z, double bottom) {
    const DepthEntry present{now, wholeMetres(bottom), wholeMetres(z)};
    if (ringDue(ring10s, now, k10s))
        ring10s.push(present);
    if (ringDue(track80s, now, kTrack)) {
        const int slot = track80s.push(gathered(now, present, ring10s, 5));
        trackPositions[static_cast<std::size_t>(slot)] = {x, y};
    }
    if (ringDue(ring120s, now, k120s))
        ring120s.push(gathered(now, present, ring10s, 12));
    if (ringDue(ring240s, now, k240s))
        ring240s.push(gathered(now, present, ring120s, 2));
    if (ringDue(ring480s, now, k480s))
        ring480s.push(gathered(now, present, ring240s, 2));
}

const DepthRing* DepthHistory::byCode(int code) const {
    switch (code) {
    case 1:
        return &ring10s;
    case 8:
        return &track80s;
    case 12:
        return &ring120s;
    case 24:
        return &ring240s;
    case 48:
        return &ring480s;
    default:
        return nullptr;
    }
}

} // namespace q71
