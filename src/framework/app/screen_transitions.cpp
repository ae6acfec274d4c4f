// The screen manager's transitions between the front end, a mission and the end of the program.
#include "framework/app/app_services.h"
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/screen_table.h"
#include "framework/app/shell.h"
#include "framework/widgets/hot_spot.h"

#include <array>
#include <utility>

namespace q71 {
namespace {

// The update list of the front end, in the order the screens are updated.
constexpr std::array kFrontEndUpdateList{kSlotMainMenu,      kSlotCaptainsLog, kSlotShipBooks,
                                         kSlotReferenceBook, kSlotGenInfo,     kSlotMissionEditor,
                                         kSlotPortOfCall,    kSlotMultiPlayer, kSlotMissionSelection,
                                         kSlotIndy,          kSlotOptions};

// The options fields logged at mission start and their codes, in logging order.
constexpr std::array<std::pair<int, int>, 10> kLoggedOptionFlags{
    {{4, 2}, {5, 1}, {6, 3}, {7, 4}, {11, 8}, {8, 5}, {9, 6}, {10, 7}, {12, 9}, {13, 10}}};

enum OptionsFieldUsed : int {
    kFieldChartShades = 2,
    kFieldChartCellSize = 3,
    kFieldReportLevel = 18,
    kFieldPopupTexts = 22,
};

constexpr int kDeathByWeapon = 1;

void busyCursorOn() {
    appCursorMode(appMainWindow(), 2);
}
void busyCursorOff() {
    appCursorMode(appMainWindow(), 3);
}

void destroyUnderBusyCursor(int slot) {
    busyCursorOn();
    screenDestroy(slot);
    busyCursorOff();
}

} // namespace

void screenEnterMainMenu() {
    ScreenTable& table = screenTable();
    table.current = kSlotMainMenu;
    screenCreate(kSlotMainMenu);
    table.head = kFrontEndUpdateList.front();
    for (std::size_t i = 0; i < kFrontEndUpdateList.size(); ++i)
        screenSetSuccessor(kFrontEndUpdateList[i],
                           i + 1 < kFrontEndUpdateList.size() ? kFrontEndUpdateList[i + 1] : -1);
    screenSwitch(kSlotMainMenu);
    screenDestroy(kSlotLogo);
    screenDestroy(kSlotLogin);
    screenApplyOptions();
}

void screenApplyOptions() {
    const AppFrontEnd& options = appFrontEnd();
    HotSpot::enableToolTips(options.optionsField(kFieldPopupTexts) != 0);
    appTactical().setChartDefaultCellSize(options.optionsField(kFieldChartCellSize) + 1);
    appTactical().setChartDefaultShades(options.optionsField(kFieldChartShades) != 0 ? 9 : 1);
    appMedia().crewSetReportLevel(options.optionsField(kFieldReportLevel) == 1 ? 1 : -1);
}

void screenShowCredits() {
    ScreenTable& table = screenTable();
    table.current = kSlotCredits;
    screenCreate(kSlotCredits, kCreditsEndProgram);
    screenSetSuccessor(kSlotCredits, -1);
    table.head = kSlotCredits;
    screenSwitch(kSlotCredits);
}

void screenExitToMainMenu() {
    screenSwitch(kSlotMainMenu);
    appNetwork().shutdown();
    destroyUnderBusyCursor(kSlotGenInfo);
    appSimulation().endMission();
}

void screenCreateGenInfo() {
    AppSimulation& simulation = appSimulation();
    busyCursorOn();
    simulation.pause(true);
    simulation.startRunning();
    if (!screenGet(kSlotGenInfo) && screenCreate(kSlotGenInfo))
        screenSetSuccessor(kSlotGenInfo, -1);
    // A loaded mission's log holds the options of its start already.
    if (!appNetwork().gameExists() && !simulation.missionLoaded())
        replayLogOptionFlags();
    simulation.pause(false);
    busyCursorOff();
}

void screenShowDebrief() {
    AppSimulation& simulation = appSimulation();
    simulation.stopRunning();
    simulation.pause(false);
    if (simulation.missionAborted())
        simulation.scoringAbortMission();
    else
        simulation.scoringEndMission();
    appNetwork().shutdown();
    screenCreate(kSlotDebrief);
    screenSwitch(kSlotDebrief);
}

void screenShowDeath() {
    if (screenGet(kSlotDeath))
        return;
    AppSimulation& simulation = appSimulation();
    simulation.stopRunning();
    simulation.replayLogClose();
    simulation.pause(false);
    appMedia().musicUnload();
    screenCreate(kSlotDeath);
    if (simulation.ownShipLossCause() == kDeathByWeapon) {
        screenCreateMovie("death.wve", nullptr, kSlotDeath);
        screenSwitch(kSlotMovie);
    } else {
        screenSwitch(kSlotDeath);
    }
    destroyUnderBusyCursor(kSlotGenInfo);
}

void screenPlayVictory() {
    screenCreateVictory();
    screenCreateMovie("victory.wve", nullptr, kSlotVictory);
}

void screenCreateVictory() {
    screenCreate(kSlotVictory);
}
void screenCreateIndy(int movieKind) {
    screenCreate(kSlotIndy, movieKind);
}
void screenCreateDebrief() {
    screenCreate(kSlotDebrief);
}
void screenCreateOptions(int argument) {
    screenCreate(kSlotOptions, argument);
}
void screenCreateMissionSelectionMode1() {
    screenCreate(kSlotMissionSelection, 1);
}
void screenCreateMissionSelectionMode2() {
    screenCreate(kSlotMissionSelection, 2);
}

void screenCreateCampaignSelection(int withMusic) {
    if (withMusic)
        appMedia().musicLoadAndPlay("prog.mid", 1);
    screenCreateCampaignSelectionQuiet();
}

void screenCreateCampaignSelectionQuiet() {
    screenCreate(kSlotMissionSelection, 3);
}

void replayLogOptionFlags() {
    const AppFrontEnd& options = appFrontEnd();
    for (const auto& [field, code] : kLoggedOptionFlags)
        if (options.optionsField(field) == 1)
            appSimulation().logOptionFlag(code);
}

} // namespace q71
