#include "sim/services/sim_services.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71 {
namespace {

class RecordingHost final : public HostScreen {
public:
    void ownShipDestroyed() override { calls.push_back("destroyed"); }
    void setEngineSound(bool on) override { calls.push_back(on ? "engine on" : "engine off"); }
    void showDeathScreen() override { calls.push_back("death"); }
    std::vector<std::string> calls;
};

TEST(SimServices, InstalledServiceIsCalledAndNullPutsTheStandInBack) {
    RecordingHost host;
    simInstallServices({.host = &host});
    simHost().setEngineSound(true);
    simHost().ownShipDestroyed();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"engine on", "destroyed"}));
    simInstallServices({});
    simHost().showDeathScreen();
    EXPECT_EQ(host.calls.size(), 2u);
}

TEST(SimServices, TheStationsEngineSwitchReachesTheHostOnlyWhileOneIsInstalled) {
    RecordingHost host;
    simInstallServices({.host = &host});
    genInfoSetEngineSound(0);
    genInfoSetEngineSound(1);
    simInstallServices({});
    genInfoSetEngineSound(0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"engine off", "engine on"}));
}

TEST(SimServices, WithoutStationsLaunchersStillKeepTheirLoads) {
    simInstallServices({});
    auto tube = simWeapons().createTorpedoTube(3);
    ASSERT_NE(tube, nullptr);
    EXPECT_EQ(tube->number(), 3);
    EXPECT_EQ(tube->weaponType(), kWeaponEmpty);
    tube->setWeaponType(kWeaponAdcap);
    EXPECT_EQ(tube->weaponType(), kWeaponAdcap);
    EXPECT_EQ(tube->launchedEntity(), nullptr);
    simWeapons().setUnlimitedWeapons(true);
    EXPECT_TRUE(simWeapons().unlimitedWeapons());
    EXPECT_FALSE(simWeapons().fireControlExists());
}

TEST(SimServices, RadioLinesOfALoadedMissionWaitForTheRadioRoom) {
    simInstallServices({});
    simTactical().restoreRadioRoomLines({"Contact au 270", "Plongée"});
    EXPECT_EQ(simTactical().radioRoomLines(), (std::vector<std::string>{"Contact au 270", "Plongée"}));
}

TEST(SimServices, NetworkGameExistsOnlyWhileSet) {
    EXPECT_EQ(simNetworkGame(), nullptr);
    EXPECT_EQ(simFrontEnd().optionsField(kOptionNoDamage), 0);
    WorldPoint camera;
    EXPECT_FALSE(simFrontEnd().entityViewerCamera(camera));
}

} // namespace
} // namespace q71
