#include "sim/entities/weapon_launches.h"

namespace q71 {
namespace {

struct Installed {
    NoWeaponLaunches none;
    WeaponLaunches* current = &none;
};

Installed& installed() {
    static Installed launches;
    return launches;
}

} // namespace

void weaponLaunchesInstall(WeaponLaunches* launches) {
    installed().current = launches ? launches : &installed().none;
}

WeaponLaunches& weaponLaunches() {
    return *installed().current;
}

} // namespace q71
