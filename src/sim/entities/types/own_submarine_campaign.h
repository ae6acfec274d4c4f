#pragma once
// What a campaign carries of the own boat from one mission to the next: its broken masts, its
// lost towed arrays and a cut floating wire, as the player record's seven status words keep them.

#include "sim/scoring/mission_world.h"

#include <array>
#include <cstdint>

namespace q71 {

class OwnShipEntity;
class OwnShipMotion;

/// The carried state of the own boat: the five devices in status-word order (periscope, ESM mast,
/// radio antenna, radar mast, snorkel), the two towed arrays' lengths with the selection, the wire.
OwnBoatCarriedState ownShipCarriedState(const OwnShipMotion& motion);

/// Puts the status words of the last campaign mission back into a new mission's own boat: words
/// 0 to 3 and 6 set break their device; word 4 loses the P array (1), the S array (2) or both (3),
/// and with them the towed-array sonar. Word 5 (the wire) needs nothing: a new mission's wire is whole.
void ownShipRestoreCampaignState(OwnShipEntity& boat, const std::array<std::int32_t, 7>& statusWords);

} // namespace q71
