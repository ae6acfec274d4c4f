#include "render3d/fog.h"

#include <cmath>

namespace q71::r3d {

namespace {

Fog* current = nullptr;
bool on = false;

} // namespace

Fog* createFog(float red, float green, float blue) {
    return new Fog{red, green, blue, 0.0f};
}

void destroyFog(Fog* fog) {
    if (fog == current)
        current = nullptr;
    delete fog;
}

void makeFogCurrent(Fog* fog) {
    current = fog;
}

void setFogDistance(Fog& fog, float distance) {
    if (std::isfinite(distance) && distance >= 0.0f)
        fog.distance = distance;
}

void switchFog(bool value) {
    on = value;
}

const Fog* fogInForce() {
    return on ? current : nullptr;
}

} // namespace q71::r3d
