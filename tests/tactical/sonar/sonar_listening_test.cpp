// Listening on the broadband page, with the sound manager on a device the test holds: the sea's
// hiss at the array's background level, the contact nearest the cursor in its record's wave for
// the hull arrays, pitched by its speed; the host's engine noise off while the page is open.
#include "tactical/support/station_mission.h"

#include "media/audio/sound_internal.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/sonar/broadband_geometry.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/sonar_suite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace q71::test {
namespace {

class EngineNoise final : public HostScreen {
public:
    void ownShipDestroyed() override {}
    void setEngineSound(bool on) override { switches.push_back(on); }
    void showDeathScreen() override {}
    std::vector<bool> switches;
};

class SonarListening : public StationMission {
protected:
    SonarListening() {
        simInstallServices({.audio = &audio, .host = &engine, .frontEnd = &options});
        soundInitOnDevice(WindowHandle{}, std::make_unique<SoundDevice>());
    }
    ~SonarListening() override { soundShutdown(); } // the pages gave their voices back in TearDown
    EngineNoise engine;
};

TEST_F(SonarListening, HearsTheContactAtTheCursorThroughTheHiss) {
    startMission("Sa2.scn");
    auto& suite = buildStation<SonarSuiteScreen>(kStationSonar, "sonarsuite");
    showStation(kStationSonar);
    EXPECT_EQ(engine.switches, std::vector<bool>{false}) << "the engine noise goes off with the page";
    auto& broadband = *dynamic_cast<BroadbandPage*>(suite.page(3));
    auto& own = *worldOwnSubmarine();
    int heard = -1;
    for (int second = 0; second < 1800 && heard < 0; ++second) {
        run(1000, 1000);
        for (int degree = 0; degree < 360 && heard < 0; ++degree)
            if (own.array2->sourceTable[static_cast<std::size_t>(degree)] > 0)
                heard = degree;
    }
    ASSERT_GE(heard, 0);
    ASSERT_EQ(broadband.state().listening, 1) << "listening is on at first";
    sonarState().cursorBearing = heard;
    broadband.refreshLabel();
    BroadbandListening& listening = broadband.listening();
    ASSERT_NE(listening.backgroundVoice(), nullptr);
    EXPECT_EQ(listening.backgroundVoice()->volume, own.array2->broadband()->head().selfNoise);
    const std::int32_t source = own.array2->sourceTable[static_cast<std::size_t>(heard)];
    EXPECT_EQ(listening.heardId(), source);
    ASSERT_NE(listening.contactVoice(), nullptr);
    const Entity& contact = *worldFindEntity(source);
    // Its record's second wave: heard through the hull array.
    const ObjectRecord& record = *objdbFindById(contact.recordId);
    ASSERT_EQ(listening.contactVoice()->samples.size(), 1u);
    EXPECT_NE(listening.contactVoice()->samples[0]->path.find(std::string(record.soundB.view())), std::string::npos);
    const double share = std::abs(contact.motion->orderedSpeed) / contact.motion->maxSpeed;
    EXPECT_NEAR(soundGetPitch(listening.contactVoice()), listening.basePitch() * (0.5 + share), 1e-3); // whole hertz
    // Its volume: how far the contact's bearing cell in the newest row stands above the row's
    // background, none below it; taken when the contact stands out, and when it does not.
    const auto standsOut = [&] {
        const BroadbandRow& row = own.array2->broadband()->head();
        return static_cast<int>(
                   row.level[static_cast<std::size_t>(bearingBin(entityBearing(own, contact)))]) -
               static_cast<int>(row.selfNoise);
    };
    bool above = false, below = false;
    for (int pass = 0; pass < 400 && !(above && below); ++pass) {
        run(100, 100);
        broadband.refreshLabel();
        if (listening.heardId() != source)
            continue;
        const int excess = standsOut();
        EXPECT_EQ(listening.contactVoice()->volume, std::max(0, excess)) << "excess " << excess;
        (excess > 0 ? above : below) = true;
    }
    EXPECT_TRUE(above) << "the contact stood out of the background at times";

    broadband.pageCommand(7, 1); // listening off
    EXPECT_EQ(listening.backgroundVoice(), nullptr);
    EXPECT_EQ(listening.contactVoice(), nullptr);
    broadband.pageCommand(7, 1);
    EXPECT_NE(listening.backgroundVoice(), nullptr);

    sonarShowPage(0); // leaving the page gives the voices back and the engine noise again
    EXPECT_EQ(listening.backgroundVoice(), nullptr);
    EXPECT_EQ(listening.contactVoice(), nullptr);
    EXPECT_EQ(engine.switches, (std::vector<bool>{false, true}));
    sonarShowPage(3);
}

} // namespace
} // namespace q71::test
