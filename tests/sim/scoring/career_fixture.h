#pragma once
// A logged-in player for the tests of the mission flow: the scoring mission of scoring_fixture.h,
// a data set holding the campaign "a.cdf" of three legs (3, 4 and 2 missions of set 0), and the
// player "Nemo" 001 chosen from a fresh roster.

#include "campaign_bytes.h"
#include "scoring_fixture.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_state.h"

#include <algorithm>
#include <array>

namespace q71::test {

class CareerTest : public ScoringTest {
protected:
    void SetUp() override {
        ScoringTest::SetUp();
        CampaignBytes campaignFile;
        campaignFile.legCount = 3;
        campaignFile.legMissions = {3, 4, 2};
        data.write("Scenario/a.cdf", campaignFile.bytes());
        record = playerDbLoad("Nemo", 1);
        ASSERT_NE(record, nullptr);
    }
    void TearDown() override {
        playerDbRelease();
        campaignRelease();
        missionState() = MissionState{};
        campaignPlay() = CampaignPlay{};
        ScoringTest::TearDown();
    }

    /// The record as the roster holds it now.
    PlayerRecord saved() {
        const std::string bytes = readFile(folder.file("player.db"));
        EXPECT_EQ(bytes.size(), kPlayerRecordSize);
        std::array<std::uint8_t, kPlayerRecordSize> raw{};
        std::copy_n(bytes.begin(), std::min(bytes.size(), raw.size()), raw.begin()); // a short file stays short
        return playerRecordDecode(raw);
    }

    /// Plays a mission through with a score: begin, the score, end.
    void play(const std::string& scenario, std::int32_t mode, std::int32_t score) {
        scoringBeginMission(scenario, mode, nullptr);
        scoringState().score = score;
        scoringEndMission();
    }

    DataFolder data;
    PlayerRecord* record = nullptr;
};

} // namespace q71::test
