#include "campaign_bytes.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/player_roster.h"
#include "sim/support/scoped_folders.h"
#include "support/text_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace q71 {
namespace {

class PlayerRoster : public testing::Test {
protected:
    PlayerRoster() {
        test::CampaignBytes firstCampaign;
        firstCampaign.legCount = 2;
        firstCampaign.legMissions = {3, 4};
        data.write("Scenario/a.cdf", firstCampaign.bytes());
    }
    ~PlayerRoster() override {
        playerDbRelease();
        campaignRelease();
    }

    std::string roster() const { return test::readFile(players.file("player.db")); }

    test::PlayerFolder players;
    test::DataFolder data;
};

// A roster file of records made without the roster code: each with its key and a size word.
std::string rosterOf(const std::vector<std::pair<std::string, std::int32_t>>& keysAndSizes) {
    std::string bytes;
    for (const auto& [key, size] : keysAndSizes) {
        std::string record(kPlayerRecordSize, '\0');
        std::memcpy(record.data(), &size, 4);
        record.replace(4, key.size(), key);
        bytes += record;
    }
    return bytes;
}

TEST_F(PlayerRoster, ANewPlayerIsAddedAtTheEndAndFoundAgain) {
    PlayerRecord* first = playerDbLoad("Nemo", 1);
    ASSERT_NE(first, nullptr);
    first->careerPoints = 700;
    ASSERT_TRUE(playerDbSave());
    ASSERT_NE(playerDbLoad("Achab", 2), nullptr);
    ASSERT_NE(playerDbLoad("Nemo", 2), nullptr); // another number, another player
    EXPECT_EQ(roster().size(), 3 * kPlayerRecordSize);

    PlayerRecord* again = playerDbLoad("Nemo", 1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->careerPoints, 700);
    EXPECT_EQ(roster().size(), 3 * kPlayerRecordSize);
    const auto players = playerDbList();
    ASSERT_TRUE(players);
    ASSERT_EQ(players->size(), 3u);
    EXPECT_EQ((*players)[0].name, "Nemo");
    EXPECT_EQ((*players)[0].number, 1);
    EXPECT_EQ((*players)[1].name, "Achab");
    EXPECT_EQ((*players)[2].number, 2);
}

TEST_F(PlayerRoster, KeysAreComparedExactly) {
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    ASSERT_NE(playerDbLoad("nemo", 1), nullptr);
    ASSERT_NE(playerDbLoad("Nemo ", 1), nullptr);
    EXPECT_EQ(roster().size(), 3 * kPlayerRecordSize);
}

TEST_F(PlayerRoster, AFullKeyWithoutTerminatorIsFoundAgain) {
    const std::string name(80, 'L');
    ASSERT_NE(playerDbLoad(name, 42), nullptr);
    ASSERT_NE(playerDbLoad(name.substr(0, 77), 42), nullptr);
    EXPECT_EQ(roster().size(), kPlayerRecordSize);
    const auto players = playerDbList();
    ASSERT_TRUE(players);
    EXPECT_EQ((*players)[0].name, name.substr(0, 77));
    EXPECT_EQ((*players)[0].number, 42);
}

TEST_F(PlayerRoster, SavingWritesTheRecordInPlaceAndLeavesTheOthers) {
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    ASSERT_NE(playerDbLoad("Achab", 2), nullptr);
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    const std::string before = roster();
    playerRecord()->tutorialScore[5] = 450;
    ASSERT_TRUE(playerDbSave());
    const std::string after = roster();
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(kPlayerRecordSize), before.substr(kPlayerRecordSize));
    std::int32_t score;
    std::memcpy(&score, after.data() + 4 * (31 + 5), 4);
    EXPECT_EQ(score, 450);
}

TEST_F(PlayerRoster, TheFirstCampaignIsLoadedAtLogin) {
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    EXPECT_EQ(campaign().header.legCount, 2);
    EXPECT_EQ(campaign().totalMissions, 7);
}

TEST_F(PlayerRoster, ANumberOfMoreThanThreeDigitsChoosesNobody) {
    EXPECT_EQ(playerDbLoad("Nemo", 1000), nullptr);
    EXPECT_EQ(playerDbChoose("Nemo", -3), RosterStatus::BadNumber);
    EXPECT_FALSE(std::filesystem::exists(players.file("player.db")));
}

TEST_F(PlayerRoster, ATornRosterKeepsItsWholeRecordsAndTheNextSaveWritesWholeOnes) {
    const std::string whole = rosterOf({{"Nemo001", 36336}, {"Achab002", 36336}});
    for (const std::size_t tail : {std::size_t{1}, std::size_t{100}, kPlayerRecordSize - 1}) {
        SCOPED_TRACE(tail);
        playerDbRelease();
        players.dir().write("q71/player.db", whole + std::string(tail, 'x'));
        const auto listed = playerDbList();
        ASSERT_TRUE(listed);
        ASSERT_EQ(listed->size(), 2u);
        EXPECT_EQ((*listed)[1].name, "Achab");
        ASSERT_EQ(playerDbChoose("Achab", 2), RosterStatus::Ok);
        playerRecord()->careerPoints = 7;
        ASSERT_TRUE(playerDbSave());
        EXPECT_EQ(roster().size(), 2 * kPlayerRecordSize);
        EXPECT_EQ(roster().substr(0, kPlayerRecordSize), whole.substr(0, kPlayerRecordSize));
        ASSERT_EQ(playerDbChoose("Achab", 2), RosterStatus::Ok);
        EXPECT_EQ(playerRecord()->careerPoints, 7);
    }
    // A new player goes after the whole records, not after the torn tail.
    playerDbRelease();
    players.dir().write("q71/player.db", whole + "x");
    ASSERT_EQ(playerDbChoose("Autre", 3), RosterStatus::Ok);
    EXPECT_EQ(roster().size(), 3 * kPlayerRecordSize);
    EXPECT_EQ(playerDbList()->size(), 3u);
}

TEST_F(PlayerRoster, ARecordOfTheWrongSizeIsDamagedOnlyWhenChosen) {
    const std::string bytes = rosterOf({{"Nemo001", 36336}, {"Achab002", 1234}});
    players.dir().write("q71/player.db", bytes);
    EXPECT_EQ(playerDbChoose("Achab", 2), RosterStatus::Damaged);
    EXPECT_EQ(playerDbChoose("Nemo", 1), RosterStatus::Ok);
    EXPECT_EQ(playerDbList()->size(), 2u);
    EXPECT_EQ(roster(), bytes);
}

using PlayerRosterDeathTest = PlayerRoster;

TEST_F(PlayerRosterDeathTest, ChoosingADamagedRecordIsFatalAndKeepsTheRoster) {
    const std::string damaged = rosterOf({{"Nemo001", 1234}});
    players.dir().write("q71/player.db", damaged);
    test::TextFixture texts("862\tRegistre endommagé\n");
    EXPECT_EXIT(playerDbLoad("Nemo", 1), testing::ExitedWithCode(1), "Registre endommag");
    EXPECT_EQ(roster(), damaged);
}

TEST_F(PlayerRoster, ALeftOverFromAnInterruptedSaveIsIgnoredAndReplaced) {
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    const std::string saved = roster();
    // A crash in the middle of a save leaves the new file half-written beside the roster.
    players.dir().write("q71/player.db.new", std::string(5000, '\x7f'));
    playerDbRelease();
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    EXPECT_EQ(roster(), saved);
    playerRecord()->careerPoints = 99;
    ASSERT_TRUE(playerDbSave());
    EXPECT_EQ(roster().size(), kPlayerRecordSize);
    EXPECT_FALSE(std::filesystem::exists(players.file("player.db.new")));
}

TEST_F(PlayerRoster, ASaveThatCannotBeWrittenLeavesTheRosterAsItWas) {
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    const std::string saved = roster();
    // The new file cannot be made (a folder stands in its place): the save fails whole.
    std::filesystem::create_directories(players.file("player.db.new"));
    playerRecord()->careerPoints = 99;
    EXPECT_FALSE(playerDbSave());
    EXPECT_EQ(roster(), saved);
    EXPECT_NE(playerDbLoad("Nemo", 1), nullptr);
    EXPECT_EQ(playerRecord()->careerPoints, 0);
}

TEST_F(PlayerRoster, ARosterChangedBehindTheProgramIsNotWrittenOver) {
    ASSERT_NE(playerDbLoad("Nemo", 1), nullptr);
    const std::string other = rosterOf({{"Autre003", 36336}});
    players.dir().write("q71/player.db", other);
    EXPECT_FALSE(playerDbSave());
    EXPECT_EQ(roster(), other);
}

} // namespace
} // namespace q71
