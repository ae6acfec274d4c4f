#include "sim/entities/controllers/countermeasure_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/scoring/byte_layout.h"
#include "sim/simulation/sim_clock.h"

#include <cmath>

namespace q71 {

namespace {

constexpr std::size_t kExpiryTimeOffset = 24; // in the controller's saved state block

} // namespace

void countermeasureControllerInstall() {
    entitySetControllerMaker(ControllerClass::countermeasure,
                             [](Entity& owner, double lifetime) -> EntityController* {
                                 return new CountermeasureController(owner, lifetime);
                             });
}

CountermeasureController::CountermeasureController(Entity& owner, double lifetime)
    : EntityController(owner), expiryTime(simClock().gameClock + lifetime) {}

void CountermeasureController::update(double /*elapsed*/) {
    if (expiryTime < simClock().gameClock)
        owner().markForRemoval();
}

void CountermeasureController::saveSubclassState(
    std::array<std::uint8_t, kControllerStateBlockSize>& block) const {
    LayoutWriter(block).f64(kExpiryTimeOffset, expiryTime);
}

bool CountermeasureController::loadSubclassState(
    const std::array<std::uint8_t, kControllerStateBlockSize>& block) {
    double loaded = 0.0;
    LayoutReader(block).f64(kExpiryTimeOffset, loaded);
    if (!std::isfinite(loaded))
        return false;
    expiryTime = loaded;
    return true;
}

} // namespace q71
