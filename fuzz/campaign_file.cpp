// Campaign files from the data set: any bytes give a campaign or a refusal, never a crash, and
// a campaign that was read writes back into a file that reads again the same.
#include "sim/scoring/campaign_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    q71::Campaign campaign;
    if (q71::campaignDecode({data, size}, campaign) != q71::CampaignStatus::Ok)
        return 0;
    if (campaign.totalMissions < 0 || campaign.totalMissions > 20 ||
        campaign.legBlocks.size() != static_cast<size_t>(campaign.header.legCount))
        __builtin_trap();
    const std::vector<std::uint8_t> written = q71::campaignEncode(campaign);
    q71::Campaign again;
    if (q71::campaignDecode(written, again) != q71::CampaignStatus::Ok ||
        q71::campaignEncode(again) != written)
        __builtin_trap();
    return 0;
}
