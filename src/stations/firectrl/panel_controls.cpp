#include "stations/firectrl/panel_controls.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/animated_switch.h"
#include "framework/widgets/covered_button.h"
#include "framework/widgets/state_button.h"
#include "sim/simulation/mission_state.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/panel_art.h"

namespace q71 {
namespace {

constexpr int kFiringSwitchOffText = 773;

} // namespace

std::unique_ptr<AnimatedSwitch> makePanelSwitch(WindowHandle page, const FirePanelRow& at,
                                                const PanelControlRow& row, const PanelArt& art,
                                                std::size_t artIndex, bool extraFrame, bool twoWay) {
    auto control = std::make_unique<AnimatedSwitch>(
        page, row.bitmap, at.idBase + row.idOffset, at.x + row.dx, at.y + row.dy, row.width, row.height,
        row.frames, art.header(artIndex), art.bits(artIndex), extraFrame, twoWay, false);
    if (row.sound)
        control->setClickSound(row.sound, 0);
    return control;
}

std::unique_ptr<CoveredButton> makePanelFireButton(WindowHandle page, const FirePanelRow& at,
                                                   const PanelControlRow& row, const PanelArt& art,
                                                   std::size_t artIndex, int blinks) {
    auto button = std::make_unique<CoveredButton>(page, at.idBase + row.idOffset, row.frames, at.x + row.dx,
                                                  at.y + row.dy, row.width, row.height, art.header(artIndex),
                                                  art.bits(artIndex), false);
    button->setHandle({0, 0, row.width, kFireCoverGripHeight});
    button->setBlinkCount(blinks);
    button->setEnabled(false);
    return button;
}

std::unique_ptr<StateButton> makePanelLamp(WindowHandle page, const FirePanelRow& at, const PanelControlRow& row,
                                           const std::string& file) {
    return std::make_unique<StateButton>(page, at.idBase + row.idOffset, file, row.frames, at.x + row.dx,
                                         at.y + row.dy, row.width, row.height, false);
}

void holdSwitchOn(AnimatedSwitch& control) {
    control.setPosition(1);
    control.showOnFrame();
    control.setReverse();
}

void showReadiness(const Launcher* launcher, bool armed, StateButton& readyLamp, CoveredButton& fire,
                   StateButton& launcherLamp) {
    const bool ready = launcher && launcher->isReady();
    if (ready && armed && launcher->weaponType() != kWeaponEmpty) {
        readyLamp.setFrameIndex(1);
        if (fire.getState() == CoveredButton::kClosed)
            fire.setEnabled(true);
    } else {
        readyLamp.setFrameIndex(0);
        fire.setEnabled(false);
    }
    launcherLamp.setFrameIndex(ready ? 1 : 0);
}

std::string panelLampFile(int number) {
    return "light" + std::to_string(number) + ".bmp";
}

void reportFiringSwitchOff() {
    msgLogPrintfId(kFiringSwitchOffText);
}

bool panelsResumeMission() {
    const MissionState& mission = missionState();
    return mission.loadedFromSave || mission.hostBuilt;
}

} // namespace q71
