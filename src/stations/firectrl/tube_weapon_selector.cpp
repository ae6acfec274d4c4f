#include "stations/firectrl/tube_weapon_selector.h"

#include "sim/simulation/sim_clock.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/torpedo_tube.h"

namespace q71 {
namespace {

constexpr double kReloadSeconds = 1.0;
constexpr double kLoadSeconds = 480.0;
constexpr double kUnloadSeconds = 600.0;
constexpr double kExchangeSeconds = 1080.0;
// Blinks enough for four weeks of 250 ms steps: the wait ends it, not the count.
constexpr int kBlinkUntilLoaded = 2419200;

} // namespace

TubeWeaponSelector::TubeWeaponSelector(WindowHandle page, std::string_view strip, int controlId, int x, int y,
                                       int width, int height, int frameCount, TorpedoTube* tube)
    : WeaponSelector(page, strip, controlId, x, y, width, height, frameCount), tube_(tube) {
    loadedPosition = 2 * (tube ? tube->weaponType() : kWeaponEmpty) + 1;
    select(loadedPosition);
}

bool TubeWeaponSelector::acceptPosition(int index) {
    if (fireControlStations().unlimitedWeapons() || index % 2 != 0 || index / 2 > kWeaponTomahawk)
        return true;
    return weaponStock(index / 2) > 0;
}

void TubeWeaponSelector::confirmPosition(int position) {
    if (tube_)
        tube_->setWeaponType(position / 2);
    if (position == loadedPosition)
        loadDuration = kReloadSeconds;
    else if (loadedPosition == kEmptyLoaded)
        loadDuration = kLoadSeconds;
    else if (position == kEmptyLoaded)
        loadDuration = kUnloadSeconds;
    else
        loadDuration = kExchangeSeconds;
    loadStart = simClock().gameClock;
    setUserValue(kBlinkUntilLoaded);
}

void TubeWeaponSelector::onLeftDown(int, int) {
    if (!clickable_) {
        leftPressed_ = false;
        return;
    }
    stopBlinking();
    stopTimer();
    if (!selectNextAvailable()) {
        leftPressed_ = false;
        return;
    }
    showPosition(state_);
}

void TubeWeaponSelector::buildFrames() {
    WeaponSelector::buildFrames();
    resetBlinkPhase();
}

void TubeWeaponSelector::update(double gameClock) {
    if (isBlinking() && loadStart + loadDuration < gameClock)
        setUserValue(0);
}

} // namespace q71
