#pragma once
// A crew station inside the real in-mission host, on a running mission of the data set: the host
// is built on the program's main window as the mission selection builds it, the main loop's passes
// update it, and it goes with its stations before the mission's terrain, as in the game.

#include "tactical/support/station_mission.h"

#include "framework/app/shell.h"
#include "stations/geninfo/gen_info.h"

#include <memory>

namespace q71::test {

class HostMission : public StationMission {
protected:
    void TearDown() override {
        gen_.reset();
        StationMission::TearDown();
    }
    /// Builds the host with the stations registered now and shows it.
    GenInfo& openHost() {
        gen_ = std::make_unique<GenInfo>("gen_info", appMainWindow(), 640, 480, 0, 0);
        gen_->activate();
        pump();
        return *gen_;
    }
    void updateScreens() override {
        if (gen_)
            gen_->update();
    }

    std::unique_ptr<GenInfo> gen_;
};

} // namespace q71::test
