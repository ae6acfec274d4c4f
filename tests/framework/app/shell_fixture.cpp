#include "shell_fixture.h"

#include "support/shell_reset.h"

#include "framework/app/shell.h"
#include "framework/app/shell_state.h"
#include "framework/textmngr/text_manager.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <array>

namespace q71::test {
namespace {

CallLog* screenLog = nullptr;
std::function<void()> idleScript;
std::function<void(const std::string&)> activationHook;

constexpr std::array<const char*, kScreenSlotCount> kKeys{
    "LogoScreen", "movie",    "login",   "mainmenu",   "captlog",    "ShipBooks",   "Velms",
    "options",    "gen_info", "Credits", "ProMission", "PortofCall", "MultiPlayer", "missionSelection",
    "Indy",       "DeBrief",  "Death",   "Victory",    "slot18",     "slot19",      "slot20",
    "slot21"};

template <int Slot> std::unique_ptr<FullScreen> makeRecording(const ScreenRequest& request) {
    screenLog->push_back("make " + recordingScreenKey(Slot) + " " + std::to_string(request.argument));
    return std::make_unique<RecordingScreen>(recordingScreenKey(Slot), request.mainWindow, *screenLog);
}

std::unique_ptr<FullScreen> makeRecordingMovie(WindowHandle parent, const char* movie, const char* second) {
    screenLog->push_back(std::string("make movie ") + movie + " " + (second ? second : "-"));
    return std::make_unique<RecordingScreen>(movie, parent, *screenLog);
}

template <int... Slots> void registerRecordingMakers(std::integer_sequence<int, Slots...>) {
    (screenRegisterMaker(Slots, &makeRecording<Slots>), ...);
}

int runIdleScript() {
    if (idleScript)
        idleScript();
    return 1;
}

} // namespace

int RecordingMedia::setDisplayMode(int width, int height, int depth) {
    log_.push_back("media.setDisplayMode " + std::to_string(width) + "x" + std::to_string(height) + "x" +
                   std::to_string(depth));
    return displayModeResult;
}

void RecordingMedia::musicLoadAndPlay(const char* name, int loop) {
    log_.push_back(std::string("media.musicLoadAndPlay ") + name + " " + std::to_string(loop));
}

void RecordingTactical::setChartDefaultCellSize(int size) {
    log_.push_back("tactical.setChartDefaultCellSize " + std::to_string(size));
}

void RecordingTactical::setChartDefaultShades(int count) {
    log_.push_back("tactical.setChartDefaultShades " + std::to_string(count));
}

void RecordingSimulation::pause(bool on) {
    pauses += on ? 1 : -1;
    log_.push_back(on ? "sim.pause on" : "sim.pause off");
}

std::int32_t RecordingFrontEnd::optionsField(int field) const {
    auto found = options.find(field);
    return found == options.end() ? 0 : found->second;
}

RecordingScreen::RecordingScreen(const std::string& key, WindowHandle parent, CallLog& log)
    : FullScreen(key, parent, kMainWindowWidth, kMainWindowHeight, 0, 0), log_(log) {}

RecordingScreen::~RecordingScreen() {
    log_.push_back("destroy " + key());
}

void RecordingScreen::activate() {
    log_.push_back("activate " + key());
    FullScreen::activate();
    if (activationHook)
        activationHook(key());
}

void RecordingScreen::deactivate() {
    log_.push_back("deactivate " + key());
    FullScreen::deactivate();
}

void RecordingScreen::update() {
    log_.push_back("update " + key());
}

LResult RecordingScreen::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                       LParam lParam) {
    if (message == WM_USER || message == WM_SIZE)
        log_.push_back((message == WM_USER ? "user " : "size ") + key() + " " + std::to_string(wParam) + " " +
                       std::to_string(lParam));
    return FullScreen::handleMessage(window, message, wParam, lParam);
}

void setActivationHook(std::function<void(const std::string& key)> hook) {
    activationHook = std::move(hook);
}

std::string recordingScreenKey(int slot) {
    return kKeys[static_cast<std::size_t>(slot)];
}

void installIdleScript(std::function<void()> script) {
    idleScript = std::move(script);
    appSetIdleHook(runIdleScript);
}

ShellFixture::ShellFixture() {
    installWindowDrawing();
    screenLog = &calls;
    registerRecordingMakers(std::make_integer_sequence<int, 18>{});
    screenRegisterMovieMaker(makeRecordingMovie);
    appInstallServices({&media, &tactical, &simulation, &world, &frontEnd, &network});
}

ShellFixture::~ShellFixture() {
    resetShell();
    appInstallServices({});
    idleScript = nullptr;
    activationHook = nullptr;
    screenLog = nullptr;
    textClose();
}

void ShellFixture::createMainWindow() {
    ASSERT_TRUE(appRegisterWindowClass());
    ASSERT_EQ(textOpen(), 1);
    ASSERT_EQ(appCreateMainWindow(SW_SHOWDEFAULT), 1);
    windowShow(appMainWindow(), SW_SHOWDEFAULT);
    pump();
}

CallLog ShellFixture::callsStartingWith(const std::string& prefix) const {
    CallLog found;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0)
            found.push_back(call);
    return found;
}

void ShellFixture::pressWithCtrl(char letter) {
    display.typeKey(static_cast<std::uint8_t>(VK_CONTROL), -1, true);
    display.typeKey(static_cast<std::uint8_t>(letter), letter - 'A' + 'a');
    display.inject(InputEvent::keyOf(InputKind::KeyUp, static_cast<std::uint8_t>(VK_CONTROL)));
    pump();
}

} // namespace q71::test
