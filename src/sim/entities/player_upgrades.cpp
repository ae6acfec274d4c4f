#include "sim/entities/player_upgrades.h"

namespace q71 {

namespace {
PlayerUpgradeSource upgradeSource = nullptr;
} // namespace

bool playerHasUpgrade(PlayerUpgrade upgrade) {
    return upgradeSource && upgradeSource(upgrade);
}

void playerSetUpgradeSource(PlayerUpgradeSource source) {
    upgradeSource = source;
}

} // namespace q71
