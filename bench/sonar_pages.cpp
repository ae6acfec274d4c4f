// One game second of the sonar displays' timer work, 40 platforms round a boat under way with
// its receivers (the world stepped outside the timing): the active display's five echo ticks
// and ten overlays after a ping at the 20,000-yard scale, the broadband page's two waterfalls'
// five ticks each (which refresh the contact label), the narrowband waterfall's and bearing
// trace's five ticks each, DEMON's five on a tracker and the intercept scope's seven drawings;
// per page and all together. The pages stand in the sonar suite on the headless display, as the
// host builds them.

#include "framework/app/full_screen.h"
#include "framework/app/shell.h"
#include "framework/app/shell_fonts.h"
#include "platform/display/headless_backend.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/clock.h"
#include "platform/window/window_system.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/own_boat_record.h"
#include "sim/support/under_way.h"
#include "sim/support/world_harness.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/demon_page.h"
#include "tactical/sonar/intercept_page.h"
#include "tactical/sonar/narrowband_page.h"
#include "tactical/sonar/sonar_suite.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr double kSideMetres = 30000.0;

enum Pages { kActive = 1, kBroadband = 2, kNarrowband = 4, kDemon = 8, kIntercept = 16, kAll = 31 };

void sonarPages(benchmark::State& state) {
    const int pages = static_cast<int>(state.range(0));
    q71::FakeClock clock{1000};
    q71::HeadlessBackend display;
    q71::WindowSystemSession session{display, clock};
    q71::installWindowDrawing();
    q71::appRegisterWindowClass();
    q71::appCreateMainWindow(0);
    q71::appCreateFonts();
    q71::test::RecordTable records(q71::test::harnessRecordsWith(q71::test::ownBoatRecord()));
    q71::test::WorldHarness harness(1000);
    auto* own = new q71::OwnShipEntity(1, 4, -1);
    q71::worldSetOwnShip(own);
    q71::worldAddEntity(own);
    q71::test::placeUnderWay(*own->ownMotion, {kSideMetres / 2, kSideMetres / 2, -120.0}, 0.0, 6.0);
    q71::test::harnessPopulate(harness, 40, kSideMetres, 1000);
    harness.run(60.0, 0.1);

    auto host = std::make_unique<q71::FullScreen>("BenchHost", q71::appMainWindow(), 640, 480, 0, 0);
    auto suite = std::make_unique<q71::SonarSuiteScreen>("sonarsuite", host->window(), 540, 420, 0, 0);
    auto& active = *dynamic_cast<q71::ActiveSonarPage*>(suite->page(0));
    auto& broadband = *dynamic_cast<q71::BroadbandPage*>(suite->page(3));
    auto& narrowband = *dynamic_cast<q71::NarrowbandPage*>(suite->page(4));
    auto& demon = *dynamic_cast<q71::DemonPage*>(suite->page(2));
    auto& intercept = *dynamic_cast<q71::InterceptPage*>(suite->page(1));
    q71::sonarSelectArray(2);
    q71::setStationSetting(*own->ownMotion, q71::kSettingActiveRange, 2);
    active.display().overlay(); // makes its pictures
    active.display().transmit();
    broadband.upper().redraw();
    broadband.lower().redraw();
    narrowband.waterfall().redraw();
    narrowband.trace().redraw();
    demon.display().redraw();
    // DEMON follows the first tracker of the bow array, handed the first source heard.
    for (int degree = 0; degree < 360; ++degree)
        if (const std::uint16_t source = own->array2->sourceTable[static_cast<std::size_t>(degree)]) {
            own->array2->trackEvent(0, q71::sonarSourceId(source), degree, 0.0, -1, 2);
            break;
        }
    demon.pageCommand(5, 1);

    for (auto _ : state) {
        state.PauseTiming();
        harness.run(1.0, 0.1);
        state.ResumeTiming();
        for (int tick = 0; tick < 10; ++tick) {
            if (pages & kActive) {
                if (tick % 2 == 0)
                    active.display().onTimer(q71::ActiveDisplay::kEchoTimer);
                active.display().onTimer(q71::ActiveDisplay::kOverlayTimer);
            }
            if ((pages & kBroadband) && tick % 2 == 0) {
                broadband.upper().onTimer(q71::BroadbandWaterfall::kTimer);
                broadband.lower().onTimer(q71::BroadbandWaterfall::kTimer);
            }
            if ((pages & kNarrowband) && tick % 2 == 0) {
                narrowband.waterfall().onTimer(q71::NarrowbandWaterfall::kTimer);
                narrowband.trace().onTimer(q71::NarrowbandBearingTrace::kTimer);
            }
            if ((pages & kDemon) && tick % 2 == 0)
                demon.display().onTimer(q71::DemonDisplay::kTimer);
            if ((pages & kIntercept) && tick % 3 == 0)
                intercept.scope().onTimer(q71::InterceptScope::kTimer);
        }
    }
    const char* label = pages == kActive       ? "active"
                        : pages == kBroadband  ? "broadband"
                        : pages == kNarrowband ? "narrowband"
                        : pages == kDemon      ? "demon"
                        : pages == kIntercept  ? "intercept"
                                               : "all";
    state.SetLabel(label);
    suite.reset();
    host.reset();
    q71::appDeleteFonts();
}

} // namespace

BENCHMARK(sonarPages)
    ->Arg(kActive)
    ->Arg(kBroadband)
    ->Arg(kNarrowband)
    ->Arg(kDemon)
    ->Arg(kIntercept)
    ->Arg(kAll)
    ->Unit(benchmark::kMicrosecond);
