#include "multiplayer/scenario_facts.h"

#include "sim/scoring/byte_stream.h"
#include "sim/scoring/player_files.h"
#include "sim/simulation/scenario_file.h"
#include "sim/simulation/scenario_reader.h"

#include <algorithm>
#include <array>
#include <vector>

namespace q71 {
namespace {

// Larger than any scenario the editor can write: a bigger file is not read whole.
constexpr std::size_t kLargestScenario = 16u << 20;

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

} // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    static constexpr std::array<std::uint32_t, 256> kTable = crcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes)
        crc = kTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::optional<ScenarioFacts> scenarioFactsOf(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kLargestScenario)
        return std::nullopt;
    MemorySource source(bytes);
    Scenario scenario;
    if (!scenarioReadBody(source, scenario))
        return std::nullopt;
    const auto starts =
        std::count_if(scenario.records.begin(), scenario.records.end(),
                      [](const ScenarioRecord& r) { return r.type == kScenarioOwnShipStart; });
    return ScenarioFacts{static_cast<std::uint32_t>(bytes.size()), crc32(bytes),
                         static_cast<std::int32_t>(starts)};
}

std::optional<ScenarioFacts> scenarioFacts(const std::string& name) {
    std::vector<std::uint8_t> bytes;
    if (!fileReadContents(scenarioReadPath(name), bytes))
        return std::nullopt;
    return scenarioFactsOf(bytes);
}

} // namespace q71
