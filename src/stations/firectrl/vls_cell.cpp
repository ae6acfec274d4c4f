#include "stations/firectrl/vls_cell.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/launch_envelope.h"

#include <cstring>

namespace q71 {
namespace {

constexpr int kNoTargetText = 198;

} // namespace

VlsCell::VlsCell(int number) : Launcher(number, 'V') {
    setDefaults();
}

void VlsCell::setDefaults() {
    storeWeaponType(kWeaponEmpty);
    tomahawkRange = 485;
    target = -1;
    targetName.fill(0);
    if (const char* text = textGetString(kNoTargetText))
        std::strncpy(targetName.data(), text, targetName.size() - 1);
}

void VlsCell::fire() {
    // An empty cell has nothing to launch; it only counts as fired, as an empty tube does.
    if (weaponType() != kWeaponTomahawk) {
        launched = 1;
        return;
    }
    const CruiseMissileLaunch launch = launchCruiseMissile(*this, tomahawkRange);
    if (launch.missile) {
        // A lost missile is kept as the cell's, though no id is recorded for it.
        launchedEntityId_ = launch.missile->id;
        if (!launch.lost)
            launchedMissileId = launch.missile->id;
    }
    launched = 1;
    clearWaypoints();
}

Entity* VlsCell::launchedEntity() {
    return launchedEntityId_ == -1 ? nullptr : worldFindEntity(launchedEntityId_);
}

} // namespace q71
