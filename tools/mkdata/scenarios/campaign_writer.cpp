#include "mkdata/scenarios/campaign_writer.h"

#include "platform/text/cp1252.h"
#include "sim/scoring/player_record.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

namespace q71::mkdata {

Campaign parseCampaignDefinition(const std::string& text, const std::filesystem::path& source,
                                 std::int32_t missionSet) {
    Campaign campaign;
    campaign.header.missionSet = missionSet;
    int lineNumber = 0;
    auto fail = [&](const std::string& reason) {
        throw std::runtime_error(source.string() + ":" + std::to_string(lineNumber) + ": " + reason);
    };
    bool titled = false;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        std::istringstream words(line.substr(0, line.find('#')));
        std::string keyword;
        if (!(words >> keyword))
            continue;
        if (keyword == "title") {
            const size_t open = line.find('"'), close = line.rfind('"');
            std::string title;
            size_t errorOffset = 0;
            if (titled || open == std::string::npos || close <= open + 1 ||
                !utf8ToCp1252(line.substr(open + 1, close - open - 1), title, errorOffset) ||
                title.size() >= campaign.header.title.size())
                fail("title takes one quoted Windows-1252 text of at most 79 characters");
            std::memcpy(campaign.header.title.data(), title.data(), title.size());
            titled = true;
        } else if (keyword == "leg") {
            int missions = 0;
            std::string extra;
            if (!(words >> missions) || words >> extra || missions < 1)
                fail("leg takes the number of its missions");
            if (campaign.header.legCount == kCampaignMaxLegs)
                fail("a campaign has at most 10 legs");
            campaign.header.legMissions[static_cast<size_t>(campaign.header.legCount++)] = missions;
            campaign.legBlocks.emplace_back();
            campaign.totalMissions += missions;
        } else {
            fail("unknown keyword \"" + keyword + "\"");
        }
    }
    lineNumber = 0;
    if (!titled || campaign.header.legCount == 0)
        fail("a campaign needs a title and at least one leg");
    if (campaign.totalMissions > kMissionsPerSet)
        fail("a campaign holds at most 20 missions");
    return campaign;
}

} // namespace q71::mkdata
