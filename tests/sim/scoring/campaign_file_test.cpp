#include "campaign_bytes.h"
#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/campaign_names.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_state.h"
#include "sim/support/scoped_folders.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

CampaignStatus decode(const std::string& bytes, Campaign& campaign) {
    return campaignDecode({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, campaign);
}

test::CampaignBytes threeLegs() {
    test::CampaignBytes file;
    file.legCount = 3;
    file.legMissions = {2, 5, 3};
    file.missionSet = 1;
    file.blocks = {"premier", "", "troisième"};
    file.valueA = 17;
    file.valueB = -4;
    return file;
}

TEST(CampaignFile, TheHeaderAndTheLegBlocksAreRead) {
    Campaign campaign;
    ASSERT_EQ(decode(threeLegs().bytes(), campaign), CampaignStatus::Ok);
    EXPECT_EQ(campaign.header.legCount, 3);
    EXPECT_EQ(campaign.header.legMissions[1], 5);
    EXPECT_EQ(campaign.header.missionSet, 1);
    EXPECT_EQ(campaign.header.valueA, 17);
    EXPECT_EQ(campaign.header.valueB, -4);
    EXPECT_EQ(campaign.totalMissions, 10);
    ASSERT_EQ(campaign.legBlocks.size(), 3u);
    EXPECT_EQ(std::string(campaign.legBlocks[0].begin(), campaign.legBlocks[0].end()), "premier");
    EXPECT_TRUE(campaign.legBlocks[1].empty());
    EXPECT_EQ(std::string(campaign.legBlocks[2].begin(), campaign.legBlocks[2].end()), "troisième");
    EXPECT_EQ(std::string(campaign.header.title.begin(), campaign.header.title.begin() + 10), "Campagne A");
}

TEST(CampaignFile, EncodingGivesBackTheFile) {
    Campaign campaign;
    const std::string bytes = threeLegs().bytes();
    ASSERT_EQ(decode(bytes, campaign), CampaignStatus::Ok);
    const std::vector<std::uint8_t> encoded = campaignEncode(campaign);
    EXPECT_EQ(std::string(encoded.begin(), encoded.end()), bytes);
}

TEST(CampaignFile, SizesOfLegsBeyondTheCountAreNotRead) {
    test::CampaignBytes file = threeLegs();
    file.legCount = 1;
    Campaign campaign;
    ASSERT_EQ(decode(file.bytes(), campaign), CampaignStatus::Ok);
    EXPECT_EQ(campaign.legBlocks.size(), 1u);
    EXPECT_EQ(campaign.totalMissions, 2);
}

TEST(CampaignFile, AShortHeaderAndDamagedCountsAreRefused) {
    Campaign campaign;
    campaign.totalMissions = 99;
    EXPECT_EQ(decode(threeLegs().bytes().substr(0, 215), campaign), CampaignStatus::ShortHeader);

    struct Case {
        const char* what;
        test::CampaignBytes file;
    };
    std::vector<Case> cases;
    auto damaged = [&](const char* what, auto change) {
        test::CampaignBytes file = threeLegs();
        change(file);
        cases.push_back({what, file});
    };
    damaged("eleven legs", [](auto& f) { f.legCount = 11; });
    damaged("a negative leg count", [](auto& f) { f.legCount = -1; });
    damaged("a leg of 21 missions", [](auto& f) { f.legMissions = {21, 0, 0}; });
    damaged("a negative leg", [](auto& f) { f.legMissions = {-1, 5, 3}; });
    damaged("more than 20 missions in all", [](auto& f) { f.legMissions = {10, 10, 1}; });
    damaged("mission set 10", [](auto& f) { f.missionSet = 10; });
    damaged("a negative set", [](auto& f) { f.missionSet = -1; });
    for (Case& c : cases)
        EXPECT_EQ(decode(c.file.bytes(), campaign), CampaignStatus::Damaged) << c.what;

    std::string truncated = threeLegs().bytes();
    truncated.pop_back();
    EXPECT_EQ(decode(truncated, campaign), CampaignStatus::Damaged) << "a block beyond the file";
    std::string negative = threeLegs().bytes();
    negative.replace(128, 4, "\xff\xff\xff\xff", 4);
    EXPECT_EQ(decode(negative, campaign), CampaignStatus::Damaged) << "a negative block size";
    EXPECT_EQ(campaign.totalMissions, 99) << "a refused file changes nothing";
}

class CampaignLoading : public testing::Test {
protected:
    ~CampaignLoading() override {
        campaignRelease();
        missionState() = MissionState{};
        campaignPlay() = CampaignPlay{};
    }
    test::DataFolder data;
};

TEST_F(CampaignLoading, ACampaignIsReadFromTheScenarioFolder) {
    data.write("Scenario/b.cdf", threeLegs().bytes());
    campaignPlay().leg = 2;
    campaignLoad("b.cdf");
    EXPECT_EQ(campaign().header.missionSet, 1);
    EXPECT_EQ(campaignPlay().leg, 0);
    EXPECT_TRUE(campaignLegData().empty()); // outside campaign mode
    missionState().missionMode = kMissionModeCampaign;
    campaignPlay().leg = 2;
    const auto block = campaignLegData();
    EXPECT_EQ(std::string(block.begin(), block.end()), "troisième");
    campaignPlay().leg = 3;
    EXPECT_TRUE(campaignLegData().empty());
}

using CampaignLoadingDeathTest = CampaignLoading;

TEST_F(CampaignLoadingDeathTest, AMissingCampaignIsFatal) {
    setGenericErrorText("Erreur inattendue");
    EXPECT_EXIT(campaignLoad("a.cdf"), testing::ExitedWithCode(1), "Erreur inattendue");
}

TEST_F(CampaignLoadingDeathTest, ADamagedCampaignIsFatal) {
    test::CampaignBytes file = threeLegs();
    file.legCount = 12;
    data.write("Scenario/a.cdf", file.bytes());
    data.write("textdllf.txt", "1802\tCampagne %s endommagée\n");
    textClose();
    ASSERT_EQ(textOpen(), 1);
    EXPECT_EXIT(campaignLoad("a.cdf"), testing::ExitedWithCode(1), "Campagne a.cdf endommag");
    textClose();
}

TEST_F(CampaignLoading, NamesOfTheCampaignsMoviesAndVoices) {
    data.write("Scenario/b.cdf", threeLegs().bytes());
    campaignLoad("b.cdf");
    missionState().missionIndex = 4;
    missionState().missionMode = kMissionModeSingle;
    EXPECT_EQ(campaignMovieName(2), "b5a.ndy");
    EXPECT_EQ(campaignMovieName(1), "b5b.ndy");
    EXPECT_EQ(campaignNewsVoiceName(), "");
    EXPECT_EQ(campaignPortAnnounceName(), "");
    EXPECT_EQ(campaignNukeVoiceName(), "");
    missionState().missionMode = kMissionModeCampaign;
    campaignPlay().leg = 1;
    EXPECT_EQ(campaignNewsVoiceName(), "velmsb1.wve");
    EXPECT_EQ(campaignPortAnnounceName(), "portannounceb1.wav");
}

TEST_F(CampaignLoading, TheNukeVoiceMovesOnThroughItsSevenVariants) {
    test::PlayerFolder players;
    data.write("Scenario/a.cdf", threeLegs().bytes());
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    missionState().missionMode = kMissionModeCampaign;
    campaignPlay().rating = 3;
    playerRecord()->endMovieVariant[3] = 5;
    EXPECT_EQ(campaignNukeVoiceName(), "nuke3f.wve");
    EXPECT_EQ(campaignNukeVoiceName(), "nuke3g.wve");
    EXPECT_EQ(campaignNukeVoiceName(), "nuke3a.wve");
    playerRecord()->endMovieVariant[3] = 12; // a damaged record
    EXPECT_EQ(campaignNukeVoiceName(), "nuke3f.wve");
    EXPECT_EQ(playerRecord()->endMovieVariant[3], 6);
    playerDbRelease();
}

} // namespace
} // namespace q71
