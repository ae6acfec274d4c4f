#include "sim/scoring/campaign_file.h"

#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"
#include "sim/scoring/byte_layout.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/player_files.h"
#include "sim/scoring/player_record.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_reader.h"

namespace q71 {
namespace {

constexpr int kTextGenericError = 606;
constexpr int kTextCampaignDamaged = 1802;
constexpr const char* kSource = "scoring";
constexpr int kLineNoHeader = 235;

template <class Io, class Header> void headerLayout(const Io& io, Header& h) {
    io.bytes(0, h.title);
    io.i32(80, h.legCount);
    io.words(84, h.legMissions);
    io.i32(124, h.missionSet);
    io.words(128, h.legBlockSize);
    io.i32(168, h.valueA);
    io.i32(172, h.valueB);
    // 176: room for ten block pointers, never read
}

// The bytes of a campaign file of the data set; none when it cannot be read.
std::vector<std::uint8_t> campaignFileBytes(const std::string& name) {
    std::vector<std::uint8_t> bytes;
    if (!fileReadContents(scenarioPath(name), bytes))
        bytes.clear();
    return bytes;
}

bool countsFit(const CampaignHeader& header) {
    if (header.legCount < 0 || header.legCount > kCampaignMaxLegs || header.missionSet < 0 ||
        header.missionSet >= kMissionSets)
        return false;
    std::int32_t total = 0;
    for (std::int32_t leg = 0; leg < header.legCount; ++leg) {
        const std::int32_t missions = header.legMissions[static_cast<size_t>(leg)];
        if (missions < 0 || missions > kMissionsPerSet || header.legBlockSize[static_cast<size_t>(leg)] < 0)
            return false;
        total += missions;
    }
    return total <= kMissionsPerSet;
}

Campaign& loaded() {
    static Campaign campaign;
    return campaign;
}

} // namespace

CampaignStatus campaignDecode(std::span<const std::uint8_t> bytes, Campaign& campaign) {
    if (bytes.size() < kCampaignHeaderSize)
        return CampaignStatus::ShortHeader;
    Campaign decoded;
    headerLayout(LayoutReader(bytes.first<kCampaignHeaderSize>()), decoded.header);
    if (!countsFit(decoded.header))
        return CampaignStatus::Damaged;
    size_t at = kCampaignHeaderSize;
    for (std::int32_t leg = 0; leg < decoded.header.legCount; ++leg) {
        const size_t size = static_cast<size_t>(decoded.header.legBlockSize[static_cast<size_t>(leg)]);
        if (size > bytes.size() - at)
            return CampaignStatus::Damaged;
        decoded.legBlocks.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                       bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
        decoded.totalMissions += decoded.header.legMissions[static_cast<size_t>(leg)];
    }
    campaign = std::move(decoded);
    return CampaignStatus::Ok;
}

std::vector<std::uint8_t> campaignEncode(const Campaign& campaign) {
    std::vector<std::uint8_t> bytes(kCampaignHeaderSize, 0);
    headerLayout(LayoutWriter(std::span<std::uint8_t>(bytes).first<kCampaignHeaderSize>()), campaign.header);
    for (const std::vector<std::uint8_t>& block : campaign.legBlocks)
        bytes.insert(bytes.end(), block.begin(), block.end());
    return bytes;
}

bool campaignReadable(const std::string& name) {
    Campaign campaign;
    return campaignDecode(campaignFileBytes(name), campaign) == CampaignStatus::Ok;
}

void campaignLoad(const std::string& name) {
    const std::vector<std::uint8_t> bytes = campaignFileBytes(name);
    switch (campaignDecode(bytes, loaded())) {
    case CampaignStatus::Ok:
        campaignPlay().leg = 0;
        return;
    case CampaignStatus::ShortHeader:
        reportFatal(textGetString(kTextGenericError), kLineNoHeader, kSource, 0);
    case CampaignStatus::Damaged: {
        char message[256];
        textFormat(message, kTextCampaignDamaged, name.c_str());
        reportFatal(message, __LINE__, kSource, 1);
    }
    }
}

const Campaign& campaign() {
    return loaded();
}

void campaignRelease() {
    loaded() = Campaign{};
}

std::span<const std::uint8_t> campaignLegData() {
    const Campaign& current = loaded();
    const std::int32_t leg = campaignPlay().leg;
    if (missionState().missionMode != kMissionModeCampaign || leg < 0 ||
        static_cast<size_t>(leg) >= current.legBlocks.size())
        return {};
    return current.legBlocks[static_cast<size_t>(leg)];
}

} // namespace q71
