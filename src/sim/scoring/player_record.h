#pragma once
// A player's career: one fixed record of 36,336 bytes in the roster, holding the scores and
// grades of every mission, campaign progress, the five station levels, career points, the
// load-out a campaign carries and a snapshot of the start of every campaign mission.
// "set" is a mission set 0-9, "m" a mission 0-19 within it, and q = set × 20 + m.

#include "sim/scoring/mission_world.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace q71 {

inline constexpr size_t kPlayerRecordSize = 36336;
inline constexpr size_t kPlayerKeySize = 80;
inline constexpr size_t kPlayerNameMax = 77;
inline constexpr int kMissionSets = 10;
inline constexpr int kMissionsPerSet = 20;
inline constexpr int kMissionSlots = kMissionSets * kMissionsPerSet;
inline constexpr int kStationCount = 5;
inline constexpr int kCampaignRatings = 6;
inline constexpr int kEndMovieVariants = 7;

/// The starting state of one campaign mission, 41 words.
struct CampaignSnapshot {
    Inventory inventory{};
    std::array<std::int32_t, kVlsCellCount> cells{};
    std::array<std::int32_t, kTorpedoTubeCount> tubes{};
    std::array<std::int32_t, 7> statusWords{};
    std::array<std::int32_t, 6> carriedWords{};
    std::array<float, kStationCount> stationLevels{};
};

struct PlayerRecord {
    std::int32_t size = static_cast<std::int32_t>(kPlayerRecordSize);
    std::array<char, kPlayerKeySize> key{}; ///< name and three-digit number; no terminator when full
    std::array<std::int32_t, kMissionSets> progress{};       ///< next campaign mission per set
    std::array<std::int32_t, kMissionSlots> tutorialScore{}; ///< −1: never completed
    std::array<std::int32_t, kMissionSlots> singleScore{};
    std::array<std::int32_t, kMissionSlots> campaignScore{};
    std::array<float, kStationCount> stationLevels{}; ///< 0.0 to 4.0; the first three are crew-assist levels
    std::int32_t careerPoints = 0;
    std::array<std::int32_t, kCampaignRatings> endMovieVariant{}; ///< per campaign rating, 0-6
    std::array<std::int32_t, 7> statusWords{};  ///< the own boat's state carried between campaign missions
    std::array<std::int32_t, 6> carriedWords{}; ///< carried in the snapshots
    std::array<std::int32_t, kMissionSlots> campaignGrade{};
    Inventory inventory{};
    std::array<std::int32_t, kVlsCellCount> cells{};
    std::array<std::int32_t, kTorpedoTubeCount> tubes{};
    std::array<CampaignSnapshot, kMissionSlots> snapshots{};
    std::array<std::uint8_t, 20> tail{}; ///< the victory code, then 19 bytes carried

    /// The victory code the front end keeps.
    std::uint8_t& victoryCode() { return tail[0]; }
};

/// The own boat's full stock of weapons and countermeasures, as a new player's record holds it
/// and as the port of call resupplies it.
Inventory playerFullStock();
/// The key of a player: the name cut to 77 characters, then the number as three digits;
/// nothing for a number outside 0 to 999.
std::optional<std::array<char, kPlayerKeySize>> playerKey(std::string_view name, int number);
/// The key's text, up to its terminator or the end of the field.
std::string_view playerKeyText(const std::array<char, kPlayerKeySize>& key);

/// A new player's record with its key: empty score tables, the default load-out, and the end
/// movies drawn at random from a generator seeded with the time of day.
PlayerRecord playerRecordNew(const std::array<char, kPlayerKeySize>& key);

/// Decodes one record from its bytes (no check of its size word).
PlayerRecord playerRecordDecode(std::span<const std::uint8_t, kPlayerRecordSize> bytes);
/// Encodes one record into its bytes.
void playerRecordEncode(const PlayerRecord& record, std::span<std::uint8_t, kPlayerRecordSize> bytes);

/// The slot q of a mission of a set, or nothing when either lies outside the tables.
std::optional<size_t> missionSlot(std::int32_t set, std::int32_t mission);

} // namespace q71
