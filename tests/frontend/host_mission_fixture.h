#pragma once
// A mission of the data set running on the host screen, as the front end leads to it: the
// program's screens on the headless window system, a logged-in player, the data set's objects
// and terrain, the mission started as the selection starts it and the host built and shown. The
// world steps as the main loop's idle hook steps it, on a fake game clock.

#include "mission_world_fixture.h"
#include "sim/support/fake_time.h"

#include <cstdint>
#include <string>
#include <vector>

namespace q71::test {

class HostMissionFixture : public MissionWorldFixture {
protected:
    HostMissionFixture();
    ~HostMissionFixture() override;

    /// Starts a scenario of the data set ("Sa1.scn") and shows the host on it.
    void startOnHost(const std::string& scenario);
    /// Moves both clocks `ms` in passes of 50 ms: messages, then the world's step and the screens' update.
    void play(std::uint64_t ms);

    /// Every entity of the world: its id and where it is and goes, in list order.
    static std::vector<double> worldState();

    FakeTimeSource gameTime;
};

} // namespace q71::test
