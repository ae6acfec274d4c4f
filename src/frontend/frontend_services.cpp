#include "frontend/frontend_services.h"

#include "framework/app/screen_manager.h"
#include "frontend/books/container_fs.h"
#include "frontend/captlog/capt_log_fs.h"
#include "frontend/credits/credits_screen.h"
#include "frontend/debrief/debrief_screen.h"
#include "frontend/entview/ent_view_screen.h"
#include "frontend/login/login_screen.h"
#include "frontend/logo/show_and_move_on.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mission/death_screen.h"
#include "frontend/mission/victory_screen.h"
#include "frontend/movie/indy_screen.h"
#include "frontend/movie/movie_screen.h"
#include "frontend/options/options_record.h"
#include "frontend/options/options_screen.h"
#include "frontend/portcall/portof_call.h"
#include "frontend/screen_art.h"
#include "frontend/selection/sor_tsel.h"
#include "frontend/stateroom/stateroom.h"
#include "frontend/terrain_progress_box.h"
#include "media/audio/widget_sound_adapter.h"
#include "media/shell_media.h"
#include "sim/entities/explosion.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/scoring/mission_world.h"
#include "sim/services/shell_simulation.h"
#include "sim/services/sim_services.h"
#include "sim/services/sound_manager_audio.h"
#include "sim/simulation/world_mission_facts.h"
#include "stations/cntrlrm/control_room_screen.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_panels.h"
#include "stations/geninfo/gen_info_service.h"
#include "stations/geninfo/host_hooks.h"
#include "stations/nav/nav_screen.h"
#include "stations/shipctrl/ship_control.h"
#include "tactical/radar/radar_station.h"
#include "tactical/radio/radio_station.h"
#include "tactical/periscope/peri_suite.h"
#include "tactical/tactical_shell.h"
#include "tactical/tma/tma_station.h"
#include "tactical/sonar/sonar_suite.h"
#include "tactical/ssp/ssp_screen.h"

namespace q71 {
namespace {

class ShellFrontEnd final : public AppFrontEnd {
public:
    void loadOptions() override { optionsLoad(); }
    std::int32_t optionsField(int field) const override { return optionsRecord().field(field); }
    void resetEntityViewerCamera() override { entViewResetCamera(); }
};

class SimFrontEnd final : public FrontEnd {
public:
    std::int32_t optionsField(int field) const override { return optionsRecord().field(field); }
    void setOptionsField(int field, std::int32_t value) override { optionsRecord().setField(field, value); }
    bool entityViewerCamera(WorldPoint& position) const override {
        return EntViewScreen::cameraPosition(position.x, position.y, position.z);
    }
};

// How long the logo stands before the intro movies.
constexpr std::uint32_t kLogoMs = 4000;

std::unique_ptr<FullScreen> makeLogo(const ScreenRequest& request) {
    auto logo = std::make_unique<ShowAndMoveOn>("LogoScreen", request.mainWindow, kLogoGroup, kLogoMs);
    logo->setNextScreenSlot(kSlotMovie);
    return logo;
}

std::unique_ptr<FullScreen> makeMovie(WindowHandle mainWindow, const char* movie, const char* secondMovie) {
    return std::make_unique<MovieScreen>(movie, mainWindow, secondMovie);
}

std::unique_ptr<FullScreen> makeLogin(const ScreenRequest& request) {
    return std::make_unique<LoginScreen>(request.mainWindow);
}

std::unique_ptr<FullScreen> makeMainMenu(const ScreenRequest& request) {
    return std::make_unique<MainMenu>(request.mainWindow);
}

std::unique_ptr<FullScreen> makeCaptLog(const ScreenRequest& request) {
    return std::make_unique<CaptLogFS>(request.mainWindow);
}

std::unique_ptr<FullScreen> makePortofCall(const ScreenRequest& request) {
    return std::make_unique<PortofCall>(request.mainWindow, request.argument);
}

std::unique_ptr<FullScreen> makeIndy(const ScreenRequest& request) {
    return std::make_unique<IndyScreen>(request.mainWindow, request.argument);
}

std::unique_ptr<FullScreen> makeCredits(const ScreenRequest& request) {
    return std::make_unique<CreditsScreen>(request.mainWindow, request.argument == kCreditsEndProgram);
}

std::unique_ptr<FullScreen> makeOptions(const ScreenRequest& request) {
    return std::make_unique<OptionsScreen>(request.mainWindow, request.argument);
}

// The loss of the own boat while the options show: the page on show is committed.
void commitOptionsPage() {
    if (auto* options = dynamic_cast<OptionsScreen*>(screenGet(kSlotOptions)))
        options->applyCurrentPage();
}

std::unique_ptr<FullScreen> makeSelection(const ScreenRequest& request) {
    return std::make_unique<SorTsel>(request.mainWindow, request.argument);
}

std::unique_ptr<FullScreen> makeDebrief(const ScreenRequest& request) {
    return std::make_unique<DebriefScreen>(request.mainWindow);
}

std::unique_ptr<FullScreen> makeDeath(const ScreenRequest& request) {
    return std::make_unique<DeathScreen>(request.mainWindow);
}

std::unique_ptr<FullScreen> makeVictory(const ScreenRequest& request) {
    return std::make_unique<VictoryScreen>(request.mainWindow);
}

} // namespace

AppFrontEnd& frontEndShellServices() {
    static ShellFrontEnd services;
    return services;
}

FrontEnd& frontEndSimServices() {
    static SimFrontEnd services;
    return services;
}

void frontEndRegisterScreens() {
    screenRegisterMaker(kSlotLogo, makeLogo);
    screenRegisterMovieMaker(makeMovie);
    screenRegisterMaker(kSlotLogin, makeLogin);
    screenRegisterMaker(kSlotMainMenu, makeMainMenu);
    screenRegisterMaker(kSlotCredits, makeCredits);
    screenRegisterMaker(kSlotCaptainsLog, makeCaptLog);
    booksRegisterScreens();
    screenRegisterMaker(kSlotPortOfCall, makePortofCall);
    screenRegisterMaker(kSlotIndy, makeIndy);
    screenRegisterMaker(kSlotOptions, makeOptions);
    genInfoRegisterScreen();
    screenRegisterMaker(kSlotMissionSelection, makeSelection);
    screenRegisterMaker(kSlotDebrief, makeDebrief);
    screenRegisterMaker(kSlotDeath, makeDeath);
    screenRegisterMaker(kSlotVictory, makeVictory);
}

void frontEndInstallProgram(AppNetwork* network) {
    appInstallServices({&mediaShellServices(), &tacticalShellServices(), &simShellSimulation(),
                        &simShellWorldStep(), &frontEndShellServices(), network});
    SimServices simulation;
    simulation.audio = &simSoundManagerAudio();
    simulation.weapons = &fireControlStations();
    simulation.frontEnd = &frontEndSimServices();
    simulation.host = &genInfoHostScreen();
    simulation.tactical = &tacticalSimDisplays();
    simInstallServices(simulation);
    entityClassesInstall();
    entityControllersInstall();
    explosionInstallMaker();
    scoringSetWorld(&worldMissionFacts());
    worldSetProgressBox(&frontEndTerrainProgressBox());
    widgetSetSound(&soundManagerWidgetSound());
    frontEndRegisterScreens();
    frontEndRegisterStations();
    genInfoSetLossHooks({commitOptionsPage, stateroomLockSafe});
}

void frontEndRegisterStations() {
    navRegisterStation();
    fireRegisterStation();
    firePanelsInstall();
    shipControlRegister();
    tmaRegisterStation();
    sonarRegisterStation();
    sspRegisterStation();
    stateroomRegister();
    booksRegisterStations();
    entViewRegister();
    radarRegisterStation();
    radioRegisterStation();
    controlRoomRegisterStation();
    periscopeRegisterStation();
}

} // namespace q71
