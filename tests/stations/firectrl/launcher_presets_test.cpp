// The settings the fire-control crew computes for a loaded weapon: only with crew assistance,
// from the target's range and the water under the boat, exact at level 5.
#include "launcher_fixture.h"

#include <cmath>

namespace q71::test {
namespace {

class LauncherPresets : public LauncherTest {};

TEST_F(LauncherPresets, WithoutCrewAssistanceTheSettingsStayAsTheOperatorLeftThem) {
    Entity* own = ownBoat();
    contact(*own, 7, 90.0, 10000.0);
    TorpedoTube tube(1);
    tube.target = 7;
    tube.setWeaponType(kWeaponAdcap);
    tube.setWeaponType(kWeaponHarpoon);
    EXPECT_EQ(tube.adcapEnableRange, 1000);
    EXPECT_EQ(tube.harpoonRange1, 50);
}

TEST_F(LauncherPresets, AtLevelFiveTheAdcapPresetsHaveNoSpread) {
    assist(true);
    Entity* own = ownBoat();
    ContactRecord& target = contact(*own, 7, 90.0, 10000.0);
    soundProfile().layerDepth = -60.0;
    TorpedoTube tube(1);
    tube.target = 7;
    tube.adcapFlag = 1;
    tube.setWeaponType(kWeaponAdcap);
    EXPECT_EQ(tube.adcapEnableRange, 7000);
    EXPECT_EQ(tube.adcapCeiling, 30); // above the layer: half the layer depth
    EXPECT_EQ(tube.adcapFloor, 810);  // the water deeper than 900: its floor is 810
    EXPECT_EQ(tube.adcapDepth2, 0);
    EXPECT_EQ(tube.adcapFlag, 0);
    EXPECT_EQ(tube.adcapSpeed, 55);
    target.belowLayer = 1;
    tube.loadPresets();
    EXPECT_EQ(tube.adcapCeiling, 430); // below it: half of (800 - the layer depth)
    soundProfile().layerDepth = -1800.0;
    tube.loadPresets();
    EXPECT_EQ(tube.adcapCeiling, 810); // never below the floor
}

TEST_F(LauncherPresets, AtLevelFiveTheHarpoonRangesAreOneAndAHalfAndHalfTheRange) {
    assist(true);
    Entity* own = ownBoat();
    contact(*own, 12, 45.0, 36576.0);
    TorpedoTube tube(2);
    tube.target = 12;
    tube.harpoonFlag = 1;
    tube.setWeaponType(kWeaponHarpoon);
    EXPECT_EQ(tube.harpoonRange1, 30); // 1.5 x 36576 / 1828.8
    EXPECT_EQ(tube.harpoonRange2, 10);
    EXPECT_EQ(tube.harpoonFlag, 0);
}

TEST_F(LauncherPresets, LowerLevelsSpreadTheEnableRunBelowSevenTenthsOfTheRange) {
    assist(false); // by rank, without a player record: level 0
    Entity* own = ownBoat();
    contact(*own, 3, 0.0, 10000.0);
    TorpedoTube tube(1);
    tube.target = 3;
    bool spread = false;
    for (int i = 0; i < 20; ++i) {
        tube.setWeaponType(kWeaponAdcap);
        EXPECT_LE(tube.adcapEnableRange, 7000);
        EXPECT_GE(tube.adcapEnableRange, 5000);
        spread = spread || tube.adcapEnableRange < 6900;
    }
    EXPECT_TRUE(spread);
}

TEST_F(LauncherPresets, ATubeWhoseContactIsGoneKeepsItsSettings) {
    assist(true);
    ownBoat();
    TorpedoTube tube(1);
    tube.target = 42;
    tube.setWeaponType(kWeaponAdcap);
    tube.setWeaponType(kWeaponHarpoon);
    EXPECT_EQ(tube.adcapEnableRange, 1000);
    EXPECT_EQ(tube.harpoonRange1, 50);
}

TEST_F(LauncherPresets, RoutesSetTheMineDepthAndTheFlightRange) {
    assist(true);
    ownBoat();
    TorpedoTube tube(3);
    tube.setWeaponType(kWeaponSlmm);
    EXPECT_EQ(tube.slmmDepth, 100); // no route yet
    tube.addAimPoint(3000, 4000);
    tube.loadPresets();
    EXPECT_EQ(tube.slmmDepth, 762); // half the water, taken as deep water where the terrain knows none
    tube.setWeaponType(kWeaponTomahawk);
    EXPECT_EQ(tube.tomahawkRange, 7500); // 1.5 x the 5000 m to the last waypoint
    VlsCell cell(9);
    cell.addAimPoint(0, 1000);
    cell.setWeaponType(kWeaponTomahawk);
    EXPECT_EQ(cell.tomahawkRange, 1500);
}

TEST_F(LauncherPresets, WithoutAnOwnBoatNothingIsPreset) {
    assist(true);
    TorpedoTube tube(1);
    tube.addAimPoint(3000, 4000);
    tube.setWeaponType(kWeaponTomahawk);
    EXPECT_EQ(tube.tomahawkRange, 485);
}

} // namespace
} // namespace q71::test
