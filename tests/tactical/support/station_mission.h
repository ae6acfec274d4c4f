#pragma once
// A crew station on a running mission of the data set, headless: the data set's mission started as
// the mission selection starts it, the program's main window on the headless backend with a fake
// clock, a host screen that holds the station as the in-mission host does (built with its key,
// the host's window, 540 by 420 at 0, 0), and the world stepped as the main loop steps it: the
// messages first, then the world and the screens' update. Pictures of the station are kept in
// artefacts/ beside the test binary.

#include "framework/app/full_screen.h"
#include "framework/app/station_table.h"
#include "platform/display/headless_backend.h"
#include "platform/gdi/bitmap.h"
#include "platform/window/clock.h"
#include "platform/window/window_system.h"
#include "sim/support/data_set_world.h"
#include "sim/support/fake_time.h"
#include "sim/support/scoring_fakes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace q71 {
class OwnShipEntity;
struct ContactRecord;
}

namespace q71::test {

class StationMission : public DataSetWorld {
protected:
    StationMission();
    ~StationMission() override;
    /// The host's stations go, then the mission ends: a station may hold the world's grid or
    /// entities. The host itself stays until the harness goes (windows of the suite may hang on it).
    void TearDown() override;

    /// Starts a scenario of the data set ("Sa1.scn") and lets it run from game time 0.
    void startMission(const std::string& name);
    /// The same with the own boat put at a depth coordinate (metres) and held there at a speed (knots).
    void startMissionAtDepth(const std::string& name, double z, double speed);
    /// The own boat of the running mission.
    OwnShipEntity& ownBoat();
    /// The own boat's contact made last.
    const ContactRecord& newestContact();

    /// Builds a station as the host builds it: Station(key, host window, 540, 420, 0, 0).
    template <class Station> Station& buildStation(int slot, std::string_view key) {
        auto station = std::make_unique<Station>(key, host_->window(), kStationWidth, kStationHeight, 0, 0);
        Station& built = *station;
        host_->setChild(slot, std::move(station));
        return built;
    }
    /// Builds the station registered for a slot with its maker, as the host does; null without one.
    SubScreen* buildRegisteredStation(int slot);
    /// Registers a station as its subsystem does at start-up, builds it with its maker, forgets the
    /// maker again (the next suite registers its own) and shows it.
    template <class Station> Station& openRegisteredStation(int slot, void (*registerStation)()) {
        registerStation();
        SubScreen* built = buildRegisteredStation(slot);
        stationRegisterMaker(slot, nullptr);
        auto* station = dynamic_cast<Station*>(built);
        EXPECT_NE(station, nullptr) << "slot " << slot;
        showStation(slot);
        return *station;
    }
    /// Switches the host to the station of a slot (it opens and shows), then handles what follows.
    void showStation(int slot);
    /// Hides the shown station (it closes), as switching to an empty slot does.
    void hideStation();

    /// Moves both clocks `ms` in passes of `passMs`: each pass handles the messages (timers, input,
    /// painting), then steps the world and updates the host's stations, as the main loop's idle
    /// hook does.
    void run(std::uint64_t ms, std::uint64_t passMs = 10);
    /// Handles every message waiting.
    void pump();
    /// The screens' update of one pass of run: the host's (a test with a host of its own updates that).
    virtual void updateScreens();

    /// Presses and releases the left button at a point of the station, then handles what follows.
    void clickAt(Point at);
    /// Presses and releases the right button at a point of the station, then handles what follows.
    void rightClickAt(Point at);
    /// The pointer moves to a point of the station (a drag while the left button is down).
    void moveTo(Point at);
    /// The left button goes down or up at a point of the station.
    void leftButton(Point at, bool down);
    /// The right button goes down or up at a point of the station.
    void rightButton(Point at, bool down);

    /// How often the crew said a wave on the channels other than scoring's.
    int timesSaid(const std::string& wave) const;
    /// Rests the pointer over a point of the station past the tips' pop-up delay, then moves it off
    /// to a corner of the station; true when a tip showed meanwhile.
    bool tipPopsUpOver(Point at);

    /// What the screen shows of the station, 540 by 420, once the waiting messages (paints) are handled.
    BitmapRef stationPicture();
    /// What the screen shows of an area (screen coordinates), as it stands.
    BitmapRef screenArea(Point origin, int width, int height) const;
    /// How many pixels of an area of the station are pale (every channel above 170): the ink of
    /// the engraved labels, which neither the steel nor a red cover has.
    int palePixels(const Rect& area);
    /// Keeps the station's picture in artefacts/<suite>.<test>-<name>.png.
    void keepPicture(const std::string& name);
    /// The first twelve of some pixels, " (x, y)" each, for a failure's message.
    static std::string listedPixels(const std::vector<Point>& pixels);

    FakeClock clock{1000};
    HeadlessBackend display;
    WindowSystemSession session{display, clock};
    FakeTimeSource gameTime;
    RecordingAudio audio;
    FakeFrontEnd options; ///< the options record (crew assistance and the others)

    FullScreen& host() { return *host_; }

private:
    Point onScreen(Point at) const;
    void button(Point at, bool down, MouseButton which);

    std::unique_ptr<FullScreen> host_;
    int shown_ = -1;
};

} // namespace q71::test
