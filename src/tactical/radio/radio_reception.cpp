#include "tactical/radio/radio_reception.h"

#include <array>
#include <utility>

namespace q71 {
namespace {

constexpr double kFeetPerMetre = 3.2808398950131235;
constexpr double kWireNeeded = 750.0 / kFeetPerMetre; ///< more than 750 ft out
constexpr double kAntennaDepth = 60.0;

// (speed, deepest D) of the floating wire.
constexpr std::array<std::pair<double, double>, 6> kWireLimits{
    {{0.0, 225.0}, {2.5, 200.0}, {5.0, 150.0}, {6.0, 75.0}, {7.0, 60.0}, {10.0, 60.0}}};

} // namespace

double radioWireDepthLimit(double speed) {
    if (!(speed >= 0.0 && speed <= 10.0))
        return -1.0;
    if (speed == 0.0)
        return kWireLimits[0].second;
    for (std::size_t i = 1; i < kWireLimits.size(); ++i) {
        const auto [v1, d1] = kWireLimits[i];
        if (v1 < speed)
            continue;
        const auto [v0, d0] = kWireLimits[i - 1];
        return d0 + (d1 - d0) * (speed - v0) / (v1 - v0);
    }
    return -1.0;
}

double radioReceptionRate(const RadioReceiver& receiver) {
    const double d = 28.0 - 3.0 * receiver.z;
    if (receiver.antennaReady && d <= kAntennaDepth)
        return kAntennaRate;
    const double limit = radioWireDepthLimit(receiver.speed);
    if (receiver.wireLength > kWireNeeded && limit >= 0.0 && d <= limit)
        return kWireRate;
    return 0.0;
}

} // namespace q71
