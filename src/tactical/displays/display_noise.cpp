#include "tactical/displays/display_noise.h"

#include "sim/simulation/random.h"

namespace q71 {

int DisplayNoise::next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ / 65536u) % 32768u);
}

double DisplayNoise::scaled(double x) {
    return next() * x / kRandomMax;
}

DisplayNoise& displayNoise() {
    static DisplayNoise noise;
    return noise;
}

} // namespace q71
