#pragma once
// The upgrades of the player's record that the platforms read: a quieter hull, a propulsion
// that cavitates later and a wider torpedo seeker. The player records install their source
// when a player is loaded; until then no upgrade is fitted.

namespace q71 {

/// The upgrade flags of the player record, by the number of their 32-bit value in the record.
enum class PlayerUpgrade : int {
    quieting = 653,         ///< the own boat is heard as if 1.25 times farther
    propulsion = 654,       ///< higher speeds before cavitation
    torpedoSeekerArc = 655, ///< the own boat's torpedoes search a 60-degree arc
};

using PlayerUpgradeSource = bool (*)(PlayerUpgrade upgrade);

/// True when the current player's record has the upgrade.
bool playerHasUpgrade(PlayerUpgrade upgrade);

/// Installs the source of the upgrade flags; null: none fitted.
void playerSetUpgradeSource(PlayerUpgradeSource source);

} // namespace q71
