#pragma once
// The periscope station on a running mission of the data set, as the host holds it and the main
// loop steps it, with the explosion pool open and the world's entities in the 3-D views: the
// station opened, the mast raised, ships put on the line of sight.

#include "tactical/support/station_mission.h"

#include "platform/display/input_event.h"
#include "platform/window/virtual_keys.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/log_lines.h"
#include "sim/world/object_database.h"
#include "tactical/periscope/peri_suite.h"
#include "tactical/periscope/periscope_panel.h"
#include "tactical/periscope/periscope_screen.h"
#include "tactical/periscope/scope.h"
#include "tactical/rwutils/rw_explosions.h"
#include "tactical/rwutils/scene_entities.h"
#include "tactical/rwutils/sea_texture.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace q71::test {

inline constexpr double kRad = std::numbers::pi / 180.0;

class PeriscopeMission : public StationMission {
protected:
    PeriscopeMission() {
        options.setOptionsField(0, 1); // 3-D textures
        options.setOptionsField(1, 1); // detail
        rwInitExplosions();
    }
    ~PeriscopeMission() override {
        msgLogDetach();
        hideStation();
        effectsEnd();
        rwFreeExplosions();
        rwShutdown();
        simClock().seaState = savedSeaState_;
        simClock().dayPhase = savedDayPhase_;
    }

    // A mission (Sa2 unless said) with the viewpoint 9.14 m down (the raised head 4.86 m above
    // the sea), slow.
    void startShallow(double z = -9.14, int seaState = 3, const std::string& mission = "Sa2.scn") {
        startMissionAtDepth(mission, z, 5.0);
        simClock().seaState = seaState;
        rwUpdateSeaTexture();
        effectsBegin(); // the world's entities in the 3-D views, as the host's start-up does
    }
    PeriSuite& openSuite() {
        return openRegisteredStation<PeriSuite>(kStationPeriscope, periscopeRegisterStation);
    }
    PeriscopeScreen& panel() { return suite_->periscope(); }
    OwnShipMotion& motion() { return *ownBoat().ownMotion; }
    const TwoPositionDevice& scopeMast() { return motion().masts[kMastPeriscope]; }
    std::int32_t scopeEffective() {
        return effectiveDeviceState(scopeMast().state, scopeMast().completionTime);
    }
    void open(double z = -9.14, int seaState = 3, const std::string& mission = "Sa2.scn") {
        startShallow(z, seaState, mission);
        suite_ = &openSuite();
    }
    // Clicks a control of the panel by its row.
    void press(const StationControlRow& row) { clickAt({row.x + row.width / 2, row.y + row.height / 2}); }
    const StationControlRow& control(int id) {
        for (const PeriscopeControlRow& c : kPeriscopeControls)
            if (c.row.id == id)
                return c.row;
        throw std::logic_error("no such control");
    }
    void raiseAndWait() {
        press(control(kPeriscopeRaiseLower));
        run(10500, 50);
    }
    // Runs until the switch's throw has ordered the mast; the game time of the order.
    double untilOrdered(std::int32_t state) {
        for (int i = 0; i < 100 && scopeMast().state != state; ++i)
            run(10, 10);
        EXPECT_EQ(scopeMast().state, state);
        return scopeMast().completionTime - OwnShipMotion::kMastTravelTime;
    }
    void shift(bool down) {
        display.inject(InputEvent::keyOf(down ? InputKind::KeyDown : InputKind::KeyUp, VK_LSHIFT));
        pump();
    }
    // The line of sight's true bearing, degrees.
    double lineOfSight() { return motion().heading + panel().optic().bearing() / kRad; }
    // Trains the optic onto a true bearing.
    void trainTo(double trueBearing) {
        const double relative = std::fmod(trueBearing - motion().heading + 720.0, 360.0) * kRad;
        panel().optic().setAngles(static_cast<float>(relative), 0.0f);
    }
    // Puts an entity `yards` dead ahead of the own boat, beam on, trains the optic on it and
    // renders the panel.
    void putAhead(Entity& ship, double yards) {
        const double b = motion().heading * kRad, metres = yards * 0.9144;
        ship.motion->x = motion().x + std::sin(b) * metres;
        ship.motion->y = motion().y + std::cos(b) * metres;
        ship.motion->z = 0.0;
        ship.motion->heading = motion().heading + 90.0;
        panel().optic().setAngles(0.0f, 0.0f);
        panel().update();
    }
    // The first entity of the mission with a mast of more than 20 yards, or null.
    Entity* tallShip() {
        for (auto* node = worldList().head(); node; node = node->next) {
            const ObjectRecord* record = objdbFindById(node->item->recordId);
            if (node->item != worldOwnShip() && node->item->motion && record && record->mastHeight > 20.0f)
                return node->item;
        }
        return nullptr;
    }
    // The first surface entity of the world other than the own boat, or null.
    Entity* surfaceShip() {
        for (auto* node = worldList().head(); node; node = node->next)
            if (node->item != worldOwnShip() && node->item->motion && node->item->motion->z >= 0.0)
                return node->item;
        return nullptr;
    }

    PeriSuite* suite_ = nullptr;
    LogLines log;
    // The clock's sea and day outlive the mission: put back as they were.
    decltype(simClock().seaState) savedSeaState_ = simClock().seaState;
    decltype(simClock().dayPhase) savedDayPhase_ = simClock().dayPhase;
};

} // namespace q71::test
