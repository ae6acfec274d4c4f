#include "tactical/support/station_mission.h"

#include "support/golden_image.h"

#include "framework/app/shell.h"
#include "platform/controls/standard_controls.h"
#include "platform/display/input_event.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/services/shell_simulation.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "support/shell_reset.h"
#include "support/shell_window.h"
#include "tactical/rwutils/rw_explosions.h"

#include <algorithm>
#include <stdexcept>

namespace q71::test {

StationMission::StationMission() {
    entityClassesInstall();
    entityControllersInstall();
    explosionInstallMaker();
    simInstallServices({.audio = &audio, .frontEnd = &options});
    installWindowDrawing();
    controlsRegisterClasses();
    openShellWindow();
    host_ = std::make_unique<FullScreen>("StationHost", appMainWindow(), 640, 480, 0, 0);
    host_->setChildCount(kHostStationCount);
    host_->activate();
    rwInitExplosions(); // the in-mission host opens the pool; stations start explosions in it
    pump();
}

void StationMission::TearDown() {
    for (int slot = 0; slot < host_->childCount(); ++slot)
        host_->deleteChild(slot);
    shown_ = -1;
    rwFreeExplosions(); // as the host closes it, once its stations are gone
    DataSetWorld::TearDown();
}

StationMission::~StationMission() {
    host_.reset(); // while the windows still exist
    resetShell();
    appDeleteFonts();
    grpFreeAll();
    simInstallServices({});
    entitySetExplosionMaker(nullptr);
    entityControllersUninstall();
    entityClassesUninstall();
}

void StationMission::startMission(const std::string& name) {
    simSetTimeCompression(1.0);
    startDataSetMission(name);
}

void StationMission::startMissionAtDepth(const std::string& name, double z, double speed) {
    startMission(name);
    OwnShipMotion& motion = *ownBoat().ownMotion;
    motion.z = z;
    motion.setOrderedDepth(z);
    motion.setOrderedSpeed(speed);
}

OwnShipEntity& StationMission::ownBoat() {
    auto* own = worldOwnSubmarine();
    if (!own)
        throw std::logic_error("no own boat in the mission");
    return *own;
}

const ContactRecord& StationMission::newestContact() {
    auto* node = ownBoat().contacts.head();
    while (node && node->next)
        node = node->next;
    if (!node)
        throw std::logic_error("the own boat has no contact");
    return *node->item;
}

SubScreen* StationMission::buildRegisteredStation(int slot) {
    host_->setChild(slot, stationCreate(slot, host_->window()));
    return host_->child(slot);
}

void StationMission::showStation(int slot) {
    host_->selectChild(slot);
    shown_ = slot;
    pump();
}

void StationMission::hideStation() {
    if (shown_ >= 0) {
        host_->closeChild(shown_);
        host_->hideChild(shown_);
    }
    shown_ = -1;
    pump();
}

void StationMission::pump() {
    Message m;
    for (int handled = 0; messagePeek(m, PeekMode::Remove); ++handled) {
        if (handled > 100000) {
            ADD_FAILURE() << "the queue never empties";
            return;
        }
        messageTranslate(m);
        messageDispatch(m);
    }
}

void StationMission::run(std::uint64_t ms, std::uint64_t passMs) {
    for (std::uint64_t t = 0; t < ms; t += passMs) {
        clock.advance(passMs);
        gameTime.ticks += static_cast<std::uint32_t>(passMs);
        pump();
        // The idle hook's step, without its pause of 10 ms.
        AppSimulation& simulation = simShellSimulation();
        if (simulation.running() && simulation.pauseCount() <= 0)
            appStepWorld(simulation, simShellWorldStep());
        updateScreens();
    }
    pump();
}

void StationMission::updateScreens() {
    host_->update();
}

Point StationMission::onScreen(Point at) const {
    const SubScreen* station = host_->child(shown_);
    return station ? windowClientToScreen(station->window(), at) : at;
}

void StationMission::clickAt(Point at) {
    display.click(onScreen(at));
    pump();
}

void StationMission::rightClickAt(Point at) {
    display.click(onScreen(at), MouseButton::Right);
    pump();
}

void StationMission::moveTo(Point at) {
    display.moveMouse(onScreen(at));
    pump();
}

void StationMission::leftButton(Point at, bool down) {
    button(at, down, MouseButton::Left);
}

void StationMission::rightButton(Point at, bool down) {
    button(at, down, MouseButton::Right);
}

void StationMission::button(Point at, bool down, MouseButton which) {
    const Point p = onScreen(at);
    display.moveMouse(p);
    display.inject(InputEvent::buttonAt(down ? InputKind::ButtonDown : InputKind::ButtonUp, which, p));
    pump();
}

int StationMission::timesSaid(const std::string& wave) const {
    return static_cast<int>(std::count(audio.spoken.begin(), audio.spoken.end(), "other channel: " + wave));
}

bool StationMission::tipPopsUpOver(Point at) {
    moveTo(at);
    run(2000, 100); // past the pop-up delay of 1.5 s, within the 3 s it shows
    const WindowHandle tip = windowFind("ToolTip");
    const bool shown = windowIsValid(tip) && windowIsVisible(tip);
    moveTo({2, 2});
    return shown;
}

BitmapRef StationMission::stationPicture() {
    pump();
    return screenArea(onScreen({0, 0}), kStationWidth, kStationHeight);
}

int StationMission::palePixels(const Rect& area) {
    const BitmapRef picture = stationPicture();
    const PixelSurface surface = picture->surface();
    int pale = 0;
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, kStationHeight); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, kStationWidth); ++x) {
            const ColorRef c = surface.decode(surface.read(x, y));
            pale += std::min({c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF}) > 170 ? 1 : 0;
        }
    return pale;
}

BitmapRef StationMission::screenArea(Point origin, int width, int height) const {
    BitmapRef picture = Bitmap::createCompatible(width, height);
    const PixelSurface out = picture->surface();
    const ScreenSurface& screen = screenSurface();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int sx = origin.x + x, sy = origin.y + y;
            if (sx >= 0 && sy >= 0 && sx < ScreenSurface::kWidth && sy < ScreenSurface::kHeight)
                out.write(x, y, out.encode(colorFrom565(screen.row(sy)[sx])));
        }
    return picture;
}

void StationMission::keepPicture(const std::string& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string file = std::string(test->test_suite_name()) + "." + test->name() + "-" + name + ".png";
    EXPECT_TRUE(keepArtefact(*stationPicture(), file)) << file;
}

std::string StationMission::listedPixels(const std::vector<Point>& pixels) {
    std::string text;
    for (std::size_t i = 0; i < pixels.size() && i < 12; ++i)
        text += " (" + std::to_string(pixels[i].x) + ", " + std::to_string(pixels[i].y) + ")";
    return text;
}

} // namespace q71::test
