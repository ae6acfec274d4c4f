#pragma once
// The controls of the launcher panels, made from their rows at a panel's origin.

#include "platform/window/window_types.h"
#include "stations/firectrl/fire_panel_layout.h"
#include "stations/firectrl/fire_panel_parts.h"

#include <cstdint>
#include <memory>
#include <string>

namespace q71 {

class AnimatedSwitch;
class CoveredButton;
class Launcher;
class PanelArt;
class StateButton;

/// What the panels' switches, fire buttons and selectors tell the page.
enum PanelNotification : int {
    kSwitchOff = 0,       ///< a switch reached off
    kSwitchOn = 1,        ///< a switch reached on
    kButtonFired = 1,     ///< a fire button was pressed
    kSelectorSettled = 2, ///< a selector's load is done
    kSwitchStarts = 3,    ///< a switch starts to move
    kCoverOpened = 10,
    kCoverClosed = 11,
};
/// The states of the launchers' doors, valves and hatches.
inline constexpr std::int32_t kDoorOn = 1;
inline constexpr std::int32_t kDoorOff = 2;

/// A valve or door switch on a strip of `art`: its last frame is the disabled look when
/// `extraFrame`; a two-way switch runs back down when clicked again.
std::unique_ptr<AnimatedSwitch> makePanelSwitch(WindowHandle page, const FirePanelRow& at,
                                                const PanelControlRow& row, const PanelArt& art,
                                                std::size_t artIndex, bool extraFrame, bool twoWay);
/// A covered fire button on a strip of `art`, disabled; it blinks `blinks` times before the shot.
std::unique_ptr<CoveredButton> makePanelFireButton(WindowHandle page, const FirePanelRow& at,
                                                   const PanelControlRow& row, const PanelArt& art,
                                                   std::size_t artIndex, int blinks);
/// A lamp (two frames, not clickable) read from `file` when the page opens.
std::unique_ptr<StateButton> makePanelLamp(WindowHandle page, const FirePanelRow& at, const PanelControlRow& row,
                                           const std::string& file);
/// Up, shown on its top frame, its next run going down.
void holdSwitchOn(AnimatedSwitch& control);
/// The ready lamp and fire button of a launcher: lit and usable (when the cover is shut) while
/// it is ready, open (`armed`) and loaded; the launcher lamp while it is ready.
void showReadiness(const Launcher* launcher, bool armed, StateButton& readyLamp, CoveredButton& fire,
                   StateButton& launcherLamp);
/// Tells the message log that a shot was held back because the firing switch is off.
void reportFiringSwitchOff();
/// Whether the panels take up the state the running mission holds (their launchers' doors,
/// hatches and wires, the countermeasure loads the station keeps) rather than start it: after a
/// load, and when the host is built again on the mission.
bool panelsResumeMission();
/// "light%d.bmp" of a lamp number.
std::string panelLampFile(int number);

} // namespace q71
