#include "tactical/ssp/ssp_graph.h"

#include "sim/simulation/geometry.h"
#include "sim/simulation/sound_profile.h"

#include <algorithm>
#include <cmath>

namespace q71 {

SspDrop sspDrop(double now, double boatZ, double bottom) {
    SspDrop drop;
    drop.launched = true;
    drop.start = now + std::fabs(boatZ) / 3.0;
    drop.end = drop.start + std::min(std::fabs(bottom), -kSspDeepest) * 0.1;
    return drop;
}

double sspFullScale(double bottom) {
    const double scale = -(std::trunc(std::fabs(bottom) / 33.3) + 1.0) * 33.3 - 0.1;
    return std::max(std::trunc(scale), kSspDeepest);
}

int sspDepthY(double depth, double fullScale) {
    return kSspTop + static_cast<int>(std::trunc(kSspHeight * depth / fullScale));
}

std::optional<double> sspProbeDepth(double now, const SspDrop& drop, double bottom) {
    if (!drop.launched || now < drop.start)
        return std::nullopt;
    // A fall that takes no time (a bottom of 0) has reached the bottom at once.
    if (now >= drop.end || drop.end <= drop.start)
        return bottom;
    return (now - drop.start) * bottom / (drop.end - drop.start);
}

bool sspLayerShown(const SoundProfile& profile, std::optional<double> probe) {
    return profile.layerDepth < 0.0 && profile.bottomDepth < profile.layerDepth && probe &&
           *probe <= profile.bottomDepth && profile.speed[5] < profile.speed[4];
}

int sspFeet(double metres) {
    return std::abs(static_cast<int>(std::trunc(metres * kMetresToYards * 3.0)));
}

} // namespace q71
