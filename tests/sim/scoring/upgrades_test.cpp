#include "career_fixture.h"
#include "sim/scoring/load_out.h"
#include "sim/scoring/upgrades.h"

#include <cmath>

namespace q71 {
namespace {

using test::CareerTest;
using UpgradePoints = CareerTest;
using CrewAssist = CareerTest;
using LoadOut = CareerTest;

TEST_F(UpgradePoints, BuyingBelowTheEarnedLevelIsCheapAndSellsBackCheap) {
    record->stationLevels[0] = 2.0f;
    record->careerPoints = 5000;
    upgradePointsBegin();
    EXPECT_EQ(upgradePointsLevel(0), 2);
    // At the earned level: 1000 a step, refunded 1000.
    EXPECT_EQ(upgradePointsBuy(0), 4000);
    EXPECT_EQ(upgradePointsLevel(0), 3);
    EXPECT_EQ(upgradePointsSell(0), 5000);
    // Below it: 250 a step, refunded 250.
    EXPECT_EQ(upgradePointsSell(0), 5250);
    EXPECT_EQ(upgradePointsLevel(0), 1);
    EXPECT_EQ(upgradePointsBuy(0), 5000);
    EXPECT_EQ(upgradePointsLevel(0), 2);
}

TEST_F(UpgradePoints, LimitsOfBuyingAndSelling) {
    record->careerPoints = 1500;
    upgradePointsBegin();
    EXPECT_EQ(upgradePointsSell(1), -1); // nothing to sell at 0
    EXPECT_EQ(upgradePointsBuy(1), 500);
    EXPECT_EQ(upgradePointsBuy(1), -1); // 1000 needed, 500 left
    EXPECT_EQ(upgradePointsLevel(1), 1);
    EXPECT_EQ(upgradePointsAdd(10000), 10500);
    for (int level = 2; level <= 4; ++level)
        EXPECT_NE(upgradePointsBuy(1), -1);
    EXPECT_EQ(upgradePointsLevel(1), 4);
    EXPECT_EQ(upgradePointsBuy(1), -1); // no higher than 4
    EXPECT_EQ(upgradePointsBuy(5), -1);
    EXPECT_EQ(upgradePointsSell(-1), -1);
    EXPECT_EQ(upgradePointsLevel(9), 0);
}

TEST_F(UpgradePoints, AddingRefusesWhatTheBalanceCannotPay) {
    record->careerPoints = 100;
    upgradePointsBegin();
    EXPECT_EQ(upgradePointsAdd(-101), -1);
    EXPECT_EQ(upgradePointsAdd(-100), 0);
    EXPECT_EQ(upgradePointsAdd(250), 250);
}

TEST_F(CrewAssist, AutomaticGivesFiveAndByRankTheStationsLevel) {
    record->stationLevels = {3.7f, 1.2f, 2.9f, 4.0f, 4.0f};
    EXPECT_EQ(crewAssistEnabled(1), 0);
    EXPECT_EQ(crewAssistLevel(1), 0);
    services.frontEnd.options[kOptionAssistByRank0 + 1] = 1;
    EXPECT_EQ(crewAssistEnabled(1), 1);
    EXPECT_EQ(crewAssistLevel(1), 1);
    services.frontEnd.options[kOptionAssistStation0 + 1] = 1;
    EXPECT_EQ(crewAssistLevel(1), 5);
    services.frontEnd.options[kOptionAssistByRank0 + 2] = 1;
    EXPECT_EQ(crewAssistLevel(2), 2);
    EXPECT_EQ(crewAssistLevel(0), 0);
    services.frontEnd.options[kOptionAssistByRank0 + 3] = 1; // stations 0 to 2 only
    EXPECT_EQ(crewAssistEnabled(3), 0);
}

TEST_F(CrewAssist, ALevelADamagedRecordHoldsIsKeptWithinRange) {
    services.frontEnd.options[kOptionAssistByRank0] = 1;
    record->stationLevels[0] = std::nanf("");
    EXPECT_EQ(crewAssistLevel(0), 0);
    record->stationLevels[0] = 1.0e9f;
    EXPECT_EQ(crewAssistLevel(0), 4);
    record->stationLevels[0] = -3.0f;
    EXPECT_EQ(crewAssistLevel(0), 0);
}

TEST_F(LoadOut, ARecordsLoadOutGoesToTheBoatAndComesBack) {
    record->inventory = {2, 1, 0, 6, 0, 10, 11};
    record->cells.fill(kWeaponEmpty);
    record->cells[4] = kWeaponTomahawk;
    record->tubes = {kWeaponAdcap, kWeaponSlmm, kWeaponHarpoon, kWeaponEmpty};
    applyPlayerLoadOut(*record);
    EXPECT_EQ(world.inventory, record->inventory);
    EXPECT_EQ(world.cells[4]->type, kWeaponTomahawk);
    EXPECT_EQ(world.cells[5]->type, kWeaponEmpty);
    EXPECT_EQ(world.tubes[1]->type, kWeaponSlmm);

    // The boat fires a torpedo and reloads the tube with a mine.
    world.inventory[1] = 0;
    world.tubes[0]->type = kWeaponSlmm;
    PlayerRecord after = *record;
    savePlayerLoadOut(after);
    EXPECT_EQ(after.inventory, (Inventory{2, 0, 0, 6, 0, 10, 11}));
    EXPECT_EQ(after.tubes,
              (std::array<std::int32_t, 4>{kWeaponSlmm, kWeaponSlmm, kWeaponHarpoon, kWeaponEmpty}));
    EXPECT_EQ(after.cells[4], kWeaponTomahawk);

    ASSERT_TRUE(playerDbSave());
    *record = after;
    ASSERT_TRUE(playerDbSave());
    EXPECT_EQ(saved().tubes, after.tubes);
}

TEST_F(LoadOut, DamagedLoadsAreMadeSafe) {
    record->inventory = {-5, 1, 1, 1, 1, 1, 1};
    record->tubes = {99, -1, kWeaponAdcap, kWeaponEmpty};
    applyPlayerLoadOut(*record);
    EXPECT_EQ(world.inventory[0], 0);
    EXPECT_EQ(world.tubes[0]->type, kWeaponEmpty);
    EXPECT_EQ(world.tubes[1]->type, kWeaponEmpty);
    EXPECT_EQ(world.tubes[2]->type, kWeaponAdcap);
}

TEST_F(LoadOut, NothingHappensWithoutAnOwnBoat) {
    world.ownId.reset();
    world.inventory = {1, 1, 1, 1, 1, 1, 1};
    world.tubes[0]->type = kWeaponSlmm;
    applyPlayerLoadOut(*record);
    EXPECT_EQ(world.inventory, (Inventory{1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(world.tubes[0]->type, kWeaponSlmm);
    const PlayerRecord before = *record;
    savePlayerLoadOut(*record);
    EXPECT_EQ(record->tubes, before.tubes);
    EXPECT_EQ(record->inventory, before.inventory);
}

} // namespace
} // namespace q71
