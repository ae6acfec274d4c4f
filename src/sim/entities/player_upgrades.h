#pragma once
// The upgrades of the current player's record that the platforms read: more sensitive arrays,
// a quieter hull, a propulsion that cavitates later and a wider torpedo seeker. They are the six
// words the record carries from one campaign mission to the next.

namespace q71 {

/// The upgrade flags of the player record, by the number of their 32-bit value in the record.
enum class PlayerUpgrade : int {
    towedArrayGain = 650,   ///< the own boat's towed array hears 1.25 times farther
    bowArrayGain = 651,     ///< its bow array likewise
    flankArrayGain = 652,   ///< its flank array likewise
    quieting = 653,         ///< the own boat is heard as if 1.25 times farther
    propulsion = 654,       ///< higher speeds before cavitation
    torpedoSeekerArc = 655, ///< the own boat's torpedoes search a 60-degree arc
};

/// True when the current player's record has the upgrade; false before a player is chosen.
bool playerHasUpgrade(PlayerUpgrade upgrade);

} // namespace q71
