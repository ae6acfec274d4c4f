// What a running mission costs a player's machine: the whole program in a real window scaled to
// the screen (bench_window.h), a mission of the data set started as the selection starts it, one
// station shown, and the processor time of the process over a fixed stretch of game time, given
// as milliseconds per real second (the figure; 1000 is one whole core) beside the goal. The X
// server's own time over the stretch is the counter server_ms_per_s.
//
// - shipControlManoeuvring: ship control at compression 8 while the boat turns on 20 degrees of
//   rudder, dives to 900 feet and runs up to flank speed, its orders given on the dials as a
//   player clicks them (goal 150 ms per second);
// - periscopeOverConvoy: the convoy mission with the own boat at periscope depth 2.5 km south of
//   the tanker, the periscope raised from its panel and the optic trained on the tanker, at
//   compression 1 as the periscope forces it (goal 200);
// - entityViewerLargestModel: the entity viewer following the entity of the largest model of the
//   data set (the most polygons), the Kashin of the second campaign mission (goal 200);
// - stationAtX8/<key>: every other station on the boat's standing orders at compression 8 (the
//   3-D control room with its option on), each named by its screen key (goal 100).

#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/app/station_table.h"
#include "frontend/entview/ent_view_screen.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/timers.h"
#include "render3d/clump.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/front_end.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "stations/geninfo/gen_info.h"
#include "stations/shipctrl/course_dial.h"
#include "stations/shipctrl/engine_dial.h"
#include "stations/shipctrl/plane_dials.h"
#include "stations/shipctrl/ship_control.h"
#include "tactical/periscope/peri_suite.h"
#include "tactical/periscope/periscope_panel.h"
#include "tactical/periscope/periscope_screen.h"
#include "tactical/periscope/scope.h"
#include "tactical/rwutils/rw_cache.h"

#include "bench_program.h"
#include "bench_smoke.h"
#include "bench_window.h"
#include "sim/support/under_way.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

using namespace q71;
using Clock = std::chrono::steady_clock;

constexpr double kGameSecondsAtX8 = 80.0; // ten real seconds
constexpr double kGameSecondsAtX1 = 10.0;
constexpr int kControlRoomOption = 23;

// One case: the mission, the station shown, the compression asked for, what is done once the
// station shows and what is waited for before the stretch begins.
struct MissionCase {
    const char* mission = "Sa1.scn";
    int station = kStationShipControl;
    int level = 1;
    double gameSeconds = kGameSecondsAtX1;
    /// False when what it sets up is not there (the case is then skipped).
    std::function<bool(GenInfo&)> setUp = [](GenInfo&) { return true; };
    std::function<bool(GenInfo&)> ready = [](GenInfo&) { return true; };
    /// What the stretch showed, as counters (read before the mission ends).
    std::function<void(std::map<std::string, double>&)> atEnd = [](std::map<std::string, double>&) {};
};

// The run in progress; the program's loop calls back into it through timers and the idle hook.
struct Run {
    MissionCase what;
    GenInfo* host = nullptr;
    bool measuring = false;
    double gameAtStart = 0.0;
    double cpuAtStart = 0.0;
    std::optional<double> serverAtStart;
    Clock::time_point wallAtStart;
    long passes = 0;
    // Results.
    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;
    std::optional<double> serverSeconds;
    double gameSeconds = 0.0;
    std::map<std::string, double> shown;
    std::string failure;
};
Run g_run;

void finish() {
    g_run.wallSeconds = std::chrono::duration<double>(Clock::now() - g_run.wallAtStart).count();
    g_run.cpuSeconds = bench::processorSeconds() - g_run.cpuAtStart;
    const auto server = bench::VirtualScreen::get().serverProcessorSeconds();
    if (server && g_run.serverAtStart)
        g_run.serverSeconds = *server - *g_run.serverAtStart;
    g_run.gameSeconds = simClock().gameClock - g_run.gameAtStart;
    g_run.what.atEnd(g_run.shown);
    g_run.measuring = false;
    messagePostQuit(0);
}

// The loop's idle hook: the world's step and the screens' updates, counted; it ends the stretch.
int measuredIdle() {
    const int result = appIdleRun();
    if (!g_run.measuring)
        return result;
    ++g_run.passes;
    const double stretch = bench::smokeMode() ? 0.5 : g_run.what.gameSeconds;
    if (simClock().gameClock - g_run.gameAtStart >= stretch)
        finish();
    return result;
}

// The program ends as a player leaves it; the case is skipped with the reason.
void fail(const std::string& why) {
    g_run.failure = why;
    messagePostQuit(0);
}

void beginStretch() {
    g_run.passes = 0;
    g_run.gameAtStart = simClock().gameClock;
    g_run.serverAtStart = bench::VirtualScreen::get().serverProcessorSeconds();
    g_run.cpuAtStart = bench::processorSeconds();
    g_run.wallAtStart = Clock::now();
    g_run.measuring = true;
}

// Every 50 ms until the stretch begins: the login, then the mission, then the case's own set-up
// and its wait.
void script(WindowHandle, std::uint32_t, std::uintptr_t id, std::uint32_t) {
    if (!g_run.host) {
        if (!screenGet(kSlotLogin))
            return;
        screenEnterMainMenu();
        missionState().missionMode = kMissionModeSingle;
        missionState().missionIndex = 0;
        if (g_run.what.station == kStationControlRoom)
            simFrontEnd().setOptionsField(kControlRoomOption, 1);
        simSetupOwnShip(0);
        if (!simStartMission(g_run.what.mission, kMissionModeSingle).ok()) {
            timerKill(WindowHandle{}, id);
            return fail(std::string("the mission ") + g_run.what.mission + " did not start");
        }
        screenCreateGenInfo();
        screenSwitch(kSlotGenInfo);
        g_run.host = dynamic_cast<GenInfo*>(screenGet(kSlotGenInfo));
        if (!g_run.host || !g_run.host->child(g_run.what.station)) {
            timerKill(WindowHandle{}, id);
            return fail("the host or its station was not built");
        }
        appSetIdleHook(measuredIdle);
        g_run.host->selectStation(g_run.what.station);
        for (int i = 1; i < g_run.what.level; ++i)
            g_run.host->onCommand(31, 0);
        if (!g_run.what.setUp(*g_run.host)) {
            timerKill(WindowHandle{}, id);
            fail("the case's set-up did not find what it sets up");
        }
        return;
    }
    if (!g_run.what.ready(*g_run.host))
        return;
    timerKill(WindowHandle{}, id);
    beginStretch();
}

void runCase(benchmark::State& state, const MissionCase& what, double goalMs) {
    for (auto _ : state) {
        g_run = Run{};
        g_run.what = what;
        const bool ran = bench::runProgramInWindow(state, script);
        if (!ran)
            break;
        if (!g_run.failure.empty()) {
            static std::string message;
            message = g_run.failure;
            state.SkipWithError(message.c_str());
            break;
        }
        const double perSecond = g_run.wallSeconds > 0.0 ? g_run.cpuSeconds / g_run.wallSeconds : 0.0;
        state.SetIterationTime(perSecond);
        state.counters["goal"] = goalMs;
        state.counters["game_seconds"] = g_run.gameSeconds;
        state.counters["passes_per_s"] = g_run.wallSeconds > 0.0 ? g_run.passes / g_run.wallSeconds : 0.0;
        for (const auto& [name, value] : g_run.shown)
            state.counters[name] = value;
        if (g_run.serverSeconds)
            state.counters["server_ms_per_s"] = 1000.0 * *g_run.serverSeconds / g_run.wallSeconds;
    }
}

// A left click on a widget's window, at a point of it, as the mouse gives one.
void clickOn(const BaseWidget& widget, int x, int y) {
    messageSend(widget.window(), WM_LBUTTONDOWN, 1, static_cast<LParam>((y << 16) | (x & 0xFFFF)));
    messageSend(widget.window(), WM_LBUTTONUP, 0, static_cast<LParam>((y << 16) | (x & 0xFFFF)));
}

void shipControlManoeuvring(benchmark::State& state) {
    MissionCase what;
    what.level = 8;
    what.gameSeconds = kGameSecondsAtX8;
    what.setUp = [](GenInfo& host) {
        auto* station = dynamic_cast<ShipControl*>(host.child(kStationShipControl));
        if (!station)
            return false;
        // Below the rudder dial's centre, 45 degrees out: 20 degrees of rudder.
        const RudderDial& rudder = station->rudderDial();
        clickOn(rudder, rudder.getWidth() / 2 - 25, rudder.getHeight() / 2 + 25);
        // The telegraph's last notch, 150 degrees round: flank speed.
        const EngineDial& engine = station->engineDial();
        clickOn(engine, engine.getWidth() / 2 + 20, engine.getHeight() / 2 + 35);
        // The ordered-depth readout commits as this command.
        messageSend(station->window(), WM_COMMAND, 400, 900);
        return true;
    };
    what.atEnd = [](std::map<std::string, double>& shown) {
        if (const OwnShipEntity* own = worldOwnSubmarineWithMotion()) {
            shown["heading"] = own->motion->heading;
            shown["depth_feet"] = 28.0 - own->motion->z / 0.3048;
            shown["knots"] = own->motion->speed;
        }
    };
    runCase(state, what, 150.0);
}
BENCHMARK(shipControlManoeuvring)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

const Entity* entityOfRecord(const char* key) {
    const ObjectRecord* record = objdbFindByName(key);
    for (auto* node = worldList().head(); record && node; node = node->next)
        if (node->item->recordId == record->id && node->item->motion)
            return node->item;
    return nullptr;
}

PeriscopeScreen* periscopePanel(GenInfo& host) {
    auto* suite = dynamic_cast<PeriSuite*>(host.child(kStationPeriscope));
    return suite ? &suite->periscope() : nullptr;
}

void periscopeOverConvoy(benchmark::State& state) {
    MissionCase what;
    what.mission = "Sa2.scn";
    what.station = kStationPeriscope;
    what.setUp = [](GenInfo& host) {
        OwnShipEntity* own = worldOwnSubmarineWithMotion();
        const Entity* tanker = entityOfRecord("Tanker");
        PeriscopeScreen* panel = periscopePanel(host);
        if (!own || !tanker || !panel)
            return false;
        constexpr double kPeriscopeDepthFeet = 53.0;
        const MotionModel& target = *tanker->motion;
        test::placeUnderWay(*own->ownMotion,
                            {target.x, target.y - 2500.0, (28.0 - kPeriscopeDepthFeet) * 0.3048}, 0.0, 3.0);
        panel->command(kPeriscopeRaiseLower, 2);
        return true;
    };
    what.ready = [](GenInfo& host) {
        PeriscopeScreen* panel = periscopePanel(host);
        if (!panel || panel->viewState() != kScopeViewShown)
            return false;
        const OwnShipEntity* own = worldOwnSubmarineWithMotion();
        const Entity* tanker = entityOfRecord("Tanker");
        if (own && tanker) {
            const double bearing =
                geoBearing(tanker->motion->x - own->motion->x, tanker->motion->y - own->motion->y);
            double relative = std::fmod(bearing - own->motion->heading + 360.0, 360.0);
            panel->optic().setAngles(static_cast<float>(relative * kDegreesToRadians), 0.0f);
        }
        return true;
    };
    what.atEnd = [](std::map<std::string, double>& shown) {
        auto* host = dynamic_cast<GenInfo*>(screenGet(kSlotGenInfo));
        PeriscopeScreen* panel = host ? periscopePanel(*host) : nullptr;
        shown["optic_shown"] = panel && panel->viewState() == kScopeViewShown ? 1.0 : 0.0;
    };
    runCase(state, what, 200.0);
}
BENCHMARK(periscopeOverConvoy)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int modelPolygons(const Entity& entity) {
    const ObjectRecord* record = objdbFindById(entity.recordId);
    if (!record || record->modelName.view().empty())
        return 0;
    r3d::Clump* model = rwLoadModel(std::string(record->modelName.view()), false);
    const int polygons = model ? r3d::polygonCount(*model) : 0;
    if (model)
        rwReleaseModel(model);
    return polygons;
}

void entityViewerLargestModel(benchmark::State& state) {
    MissionCase what;
    what.mission = "Ca2.scn";
    what.station = kStationEntityViewer;
    what.setUp = [](GenInfo& host) {
        auto* viewer = dynamic_cast<EntViewScreen*>(host.child(kStationEntityViewer));
        const Entity* largest = nullptr;
        int most = 0;
        for (auto* node = worldList().head(); node; node = node->next)
            if (const int polygons = modelPolygons(*node->item); polygons > most) {
                most = polygons;
                largest = node->item;
            }
        return viewer && largest && viewer->follow(largest->id);
    };
    what.atEnd = [](std::map<std::string, double>& shown) {
        auto* host = dynamic_cast<GenInfo*>(screenGet(kSlotGenInfo));
        auto* viewer = host ? dynamic_cast<EntViewScreen*>(host->child(kStationEntityViewer)) : nullptr;
        const Entity* followed = viewer ? worldFindEntity(viewer->followedId()) : nullptr;
        shown["polygons"] = followed ? modelPolygons(*followed) : 0.0;
    };
    runCase(state, what, 200.0);
}
BENCHMARK(entityViewerLargestModel)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void stationAtX8(benchmark::State& state, int slot) {
    MissionCase what;
    what.station = slot;
    what.level = 8;
    what.gameSeconds = kGameSecondsAtX8;
    runCase(state, what, 100.0);
}

// One case per station, named by its screen key.
const bool g_stationsRegistered = [] {
    for (int slot = 0; slot < kHostStationCount; ++slot)
        if (slot != kStationPeriscope && slot != kStationEntityViewer)
            benchmark::RegisterBenchmark(("stationAtX8/" + std::string(stationKey(slot))).c_str(),
                                         stationAtX8, slot)
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
