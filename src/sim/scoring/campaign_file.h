#pragma once
// Campaign files ".cdf" in the data set's "Scenario" folder: a 216-byte header naming the legs
// of a campaign, how many missions each holds and which mission set the campaign plays, then
// one data block per leg for the front end. The current campaign stays loaded until the next
// one or shutdown; "a.cdf" is loaded with every player.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace q71 {

inline constexpr size_t kCampaignHeaderSize = 216;
inline constexpr int kCampaignMaxLegs = 10;

struct CampaignHeader {
    std::array<std::uint8_t, 80> title{}; ///< not read by the game
    std::int32_t legCount = 0;            ///< at most 10
    std::array<std::int32_t, kCampaignMaxLegs> legMissions{};
    std::int32_t missionSet = 0; ///< 0 = "a"
    std::array<std::int32_t, kCampaignMaxLegs> legBlockSize{};
    std::int32_t valueA = 0; ///< kept for the front end
    std::int32_t valueB = 0; ///< kept for the front end
};

struct Campaign {
    CampaignHeader header;
    std::vector<std::vector<std::uint8_t>> legBlocks; ///< one per leg of the campaign, empty for none
    std::int32_t totalMissions = 0;                   ///< the missions of all its legs
};

/// What decoding a campaign file found.
enum class CampaignStatus {
    Ok,
    ShortHeader, ///< fewer than 216 bytes
    Damaged,     ///< counts outside their tables, or blocks longer than the file
};

/// Decodes a whole campaign file: the header, then the block of each leg with a positive size.
/// Leg count 0-10, missions per leg 0-20 and no more than 20 in all (they index a set's tables),
/// mission set 0-9, block sizes not negative and within the file; sizes of legs beyond the count
/// are not read.
CampaignStatus campaignDecode(std::span<const std::uint8_t> bytes, Campaign& campaign);
/// Encodes a campaign file (the header's pointer space written as zeros).
std::vector<std::uint8_t> campaignEncode(const Campaign& campaign);

/// Loads the named campaign from the data set's "Scenario" folder; an unreadable or damaged file
/// is a fatal error.
void campaignLoad(const std::string& name);
/// True when the named campaign of the data set reads and decodes, so that loading it cannot fail.
bool campaignReadable(const std::string& name);
/// The loaded campaign.
const Campaign& campaign();
/// Frees the campaign's leg blocks.
void campaignRelease();

/// The current leg's data block in campaign mode; empty otherwise.
std::span<const std::uint8_t> campaignLegData();

} // namespace q71
