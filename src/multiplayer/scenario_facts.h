#pragma once
// What the peers compare of a network scenario before a start: its size and CRC-32, and how many
// own-boat starts it has (a game needs one a player).

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace q71 {

struct ScenarioFacts {
    std::uint32_t size = 0;
    std::uint32_t crc = 0;
    std::int32_t ownShipStarts = 0;
};

/// CRC-32 (the polynomial 0xEDB88320, reflected, starting and ending inverted).
std::uint32_t crc32(std::span<const std::uint8_t> bytes);
/// The facts of a scenario's bytes; none when they are not a readable scenario.
std::optional<ScenarioFacts> scenarioFactsOf(std::span<const std::uint8_t> bytes);
/// The facts of the scenario of that name where the reader finds it; none when it is missing,
/// too large or not readable.
std::optional<ScenarioFacts> scenarioFacts(const std::string& name);

} // namespace q71
