#pragma once
// The band test of the band-limited sonars: a target is heard only when one of its present
// signature lines lies strictly inside the sonar's band.

#include <cstdint>

namespace q71 {

class Entity;

/// True when one of the entity's present signature lines (as many as its record has tables) lies
/// strictly between the two frequencies.
bool signatureLineInBand(const Entity& entity, std::uint16_t bandLow, std::uint16_t bandHigh);

} // namespace q71
