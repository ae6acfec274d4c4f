#pragma once
// The own boat's start positions of the running mission, one per start record of the scenario:
// where the own submarine (or each network player's boat) begins, with its depth, course and
// speed, a rectangle it may be placed anywhere in, and the boat's name.

#include "sim/simulation/scenario_file.h"

#include <optional>
#include <string>
#include <vector>

namespace q71 {

/// The own boat's depth is written this many feet deeper than the boat sits.
inline constexpr double kOwnShipDepthOffsetFeet = 28.0;

struct OwnShipStart {
    double x = 0.0, y = 0.0; ///< world metres; with a rectangle, its south-west corner
    double depth = 0.0;      ///< metres, negative below the surface
    double speed = 0.0;      ///< speed units
    double course = 0.0;     ///< degrees
    double rotation = 0.0;   ///< degrees added to the bearing of a random placement
    double width = 0.0;      ///< of the placement rectangle, yards; 0 without one
    double height = 0.0;     ///< yards
    std::string boatName;    ///< the own boat's name (Windows-1252)
};

/// Where a boat is put: its place, depth, course and speed, and its name.
struct PickedStart {
    double x = 0.0, y = 0.0, depth = 0.0, course = 0.0, speed = 0.0;
    std::string boatName;
};

/// The start positions, the head (the last start record read) first.
std::vector<OwnShipStart>& ownShipStarts();

/// The start position a start record gives: its depth taken 28 ft higher, and with a placement
/// rectangle its corner, so that the boat lands anywhere in the rectangle around the record's place.
OwnShipStart ownShipStartFromRecord(const ScenarioRecord& record);

/// Picks a start: the network player with that id takes the position `id` − 1 from the head
/// (the tail when there are fewer); a single player (−1) takes one at random among several and
/// takes it out of the list. Nothing without a start position.
std::optional<PickedStart> scenPickOwnShipStart(std::int32_t playerId);

} // namespace q71
