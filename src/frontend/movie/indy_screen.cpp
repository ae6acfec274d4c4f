#include "frontend/movie/indy_screen.h"

#include "framework/app/screen_manager.h"
#include "frontend/portcall/portof_call.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/campaign_names.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_state.h"

namespace q71 {
namespace {

constexpr std::uint8_t kCampaignWon = 1;

// The number of the campaign's missions up to the end of a leg (counted from 0).
std::int32_t missionsThroughLeg(std::int32_t leg) {
    const CampaignHeader& header = campaign().header;
    std::int32_t total = 0;
    for (std::int32_t l = 0; l <= leg && l < header.legCount && l < kCampaignMaxLegs; ++l)
        total += header.legMissions[static_cast<std::size_t>(l)];
    return total;
}

} // namespace

IndyPlan indyPlan(int kind) {
    IndyPlan plan;
    const std::int32_t played = missionState().missionIndex + 1;
    if (kind == kIndyBriefing) {
        if (campaignPlay().firstOfLeg)
            if (std::string news = campaignNewsVoiceName(); !news.empty())
                plan.movies.push_back(std::move(news));
        plan.movies.push_back(campaignMovieName(kIndyBriefing));
        return plan;
    }
    plan.movies.push_back(campaignMovieName(kIndyReport));
    plan.campaignOver = campaign().totalMissions > 0 && played >= campaign().totalMissions;
    plan.legOver = !plan.campaignOver && played == missionsThroughLeg(campaignPlay().leg);
    if (plan.campaignOver)
        if (std::string end = campaignNukeVoiceName(); !end.empty())
            plan.movies.push_back(std::move(end));
    return plan;
}

IndyScreen::IndyScreen(WindowHandle parent, int kind) : IndyScreen(parent, kind, indyPlan(kind)) {}

IndyScreen::IndyScreen(WindowHandle parent, int kind, IndyPlan plan)
    : MovieScreen("Indy", parent, plan.movies), kind_(kind), plan_(std::move(plan)) {}

void IndyScreen::moveOn() {
    if (kind_ == kIndyBriefing) {
        screenCreateGenInfo();
        screenSwitch(kSlotGenInfo);
    } else if (plan_.campaignOver) {
        if (PlayerRecord* record = playerRecord()) {
            record->victoryCode() = kCampaignWon;
            playerDbSave();
        }
        screenSwitch(kSlotMainMenu);
    } else if (plan_.legOver) {
        screenCreate(kSlotPortOfCall, kPortAfterCampaignLeg);
        screenSwitch(kSlotPortOfCall);
    } else {
        screenCreateCampaignSelectionQuiet();
        screenSwitch(kSlotMissionSelection);
    }
    screenDestroyLater(kSlotIndy);
}

} // namespace q71
