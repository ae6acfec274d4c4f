#include "sim/scoring/campaign_names.h"

#include "sim/scoring/campaign_file.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_state.h"

#include <cstdio>

namespace q71 {
namespace {

constexpr int kIntroMovieKind = 2;

char setLetter() {
    return static_cast<char>('a' + campaign().header.missionSet);
}

bool inCampaign() {
    return missionState().missionMode == kMissionModeCampaign;
}

template <class... Args> std::string format(const char* pattern, Args... args) {
    char name[64];
    std::snprintf(name, sizeof name, pattern, args...);
    return name;
}

} // namespace

std::string campaignMovieName(int kind) {
    return format("%c%d%c.ndy", setLetter(), missionState().missionIndex + 1,
                  kind == kIntroMovieKind ? 'a' : 'b');
}

std::string campaignNewsVoiceName() {
    return inCampaign() ? format("velms%c%d.wve", setLetter(), campaignPlay().leg) : std::string();
}

std::string campaignPortAnnounceName() {
    return inCampaign() ? format("portannounce%c%d.wav", setLetter(), campaignPlay().leg) : std::string();
}

std::string campaignNukeVoiceName() {
    PlayerRecord* record = playerRecord();
    const std::int32_t rating = campaignPlay().rating;
    if (!inCampaign() || !record || rating < 0 || rating >= kCampaignRatings)
        return {};
    std::int32_t& variant = record->endMovieVariant[static_cast<size_t>(rating)];
    // A variant outside 0-6 (a damaged record) is brought back into the seven.
    const std::int32_t shown = (variant % kEndMovieVariants + kEndMovieVariants) % kEndMovieVariants;
    variant = (shown + 1) % kEndMovieVariants;
    return format("nuke%d%c.wve", rating, static_cast<char>('a' + shown));
}

} // namespace q71
