#pragma once
// The screen manager: the program's top-level screens in a table of 22 slots, the switching
// of the visible screen, the per-frame update list, the transitions between the front end and
// a mission, and the small services every screen uses (the busy cursor with mouse capture and
// a message pump for long operations).
//
// The screens themselves belong to the subsystems above the framework: each registers a maker
// for its slot at start-up. A slot whose maker is missing stays empty, as a screen that could
// not be created does.

#include "platform/window/message_ids.h"
#include "platform/window/window_types.h"

#include <cstdint>
#include <memory>

namespace q71 {

class FullScreen;

inline constexpr int kScreenSlotCount = 22;

enum ScreenSlot : int {
    kSlotLogo = 0,
    kSlotMovie = 1,
    kSlotLogin = 2,
    kSlotMainMenu = 3,
    kSlotCaptainsLog = 4,
    kSlotShipBooks = 5,
    kSlotReferenceBook = 6,
    kSlotOptions = 7,
    kSlotGenInfo = 8,
    kSlotCredits = 9,
    kSlotMissionEditor = 10,
    kSlotPortOfCall = 11,
    kSlotMultiPlayer = 12,
    kSlotMissionSelection = 13,
    kSlotIndy = 14,
    kSlotDebrief = 15,
    kSlotDeath = 16,
    kSlotVictory = 17,
};

/// What a screen is made with: the main window as parent and the argument of its transition
/// (the options screen's argument, the mission-selection mode 1 to 3, the movie kind of slot 14).
struct ScreenRequest {
    WindowHandle mainWindow{};
    int argument = 0;
};

/// The argument of the credits made on the way out of the program: they end it when done.
inline constexpr int kCreditsEndProgram = 1;

/// Makes the screen of a slot; null when it cannot be made.
using ScreenMaker = std::unique_ptr<FullScreen> (*)(const ScreenRequest& request);
/// Makes the movie screen of slot 1, playing `movie`, then `secondMovie` when not null.
using MovieScreenMaker = std::unique_ptr<FullScreen> (*)(WindowHandle mainWindow, const char* movie,
                                                         const char* secondMovie);

/// Registers the maker of a slot's screen (null removes it).
void screenRegisterMaker(int slot, ScreenMaker maker);
/// Registers the maker of movie screens.
void screenRegisterMovieMaker(MovieScreenMaker maker);
/// True when a screen of that slot can be made.
bool screenHasMaker(int slot);

/// Empties the table (no screens, no links, no update list, current slot 0).
void screenTableReset();
/// Makes the screen of a slot with its maker into the slot, replacing (and destroying) what it held;
/// returns the new screen or null.
FullScreen* screenCreate(int slot, int argument = 0);
/// Makes a movie screen into slot 1 that moves on to `nextSlot`; returns it or null.
FullScreen* screenCreateMovie(const char* movie, const char* secondMovie, int nextSlot);

/// Shows the screen of a slot, creating the screens of slots 3, 4, 5, 6, 9, 10, 11 and 12 on first use.
void screenSwitch(int slot);
/// The screen of a slot; null when empty or out of range.
FullScreen* screenGet(int slot);
/// Deactivates and deletes the screen of a slot; nothing for an empty slot or one out of range.
void screenDestroy(int slot);
/// Destroys the screen of a slot once the messages queued now are handled, unless it is then the
/// current screen again: a screen leaves itself so, never from inside its own handlers.
void screenDestroyLater(int slot);
/// The main window's message that carries screenDestroyLater (the slot in its first argument).
inline constexpr std::uint32_t kMsgDestroyScreen = WM_USER + 0x71;
/// Runs an action once the messages queued now are handled: for what must not run inside the
/// handler of a screen it destroys (the state room's load rebuilds the host it lies in).
void screenRunLater(void (*action)());
/// The main window's message that carries screenRunLater (the action in its first argument).
inline constexpr std::uint32_t kMsgRunLater = WM_USER + 0x72;
/// Destroys the front-end screens: slots 3, 10, 12, 6, 5, 4, 7, 11.
void screenDestroyFrontEnd();
/// Frees the hot-key records, destroys every screen and posts WM_QUIT.
void screenQuitProgram();
/// The slot last switched to (its screen may be gone since).
int screenCurrentIndex();
/// Sets the slot last switched to, without showing anything.
void screenSetCurrentIndex(int slot);
/// The window of the current screen; none when its slot is empty.
WindowHandle screenCurrentWindow();

/// Links a slot's update-list successor (-1: none).
void screenSetSuccessor(int slot, int next);
/// Calls the update operation of every screen on the update list, in list order.
void screenUpdateAll();

// The transitions.
void screenEnterMainMenu();
void screenExitToMainMenu();
void screenCreateGenInfo();
void screenShowDebrief();
void screenShowDeath();
void screenShowCredits();
void screenPlayVictory();
void screenCreateVictory();
void screenCreateIndy(int movieKind);
void screenCreateDebrief();
void screenCreateOptions(int argument);
void screenCreateMissionSelectionMode1();
void screenCreateMissionSelectionMode2();
void screenCreateCampaignSelection(int withMusic);
void screenCreateCampaignSelectionQuiet();
/// Applies the options that act outside a mission: tool tips, the chart defaults and the crew's
/// report level (at the main menu's entry and when the options are validated).
void screenApplyOptions();
/// Logs the player's option flags that are on into the replay log, at mission start.
void replayLogOptionFlags();

/// The busy cursor: 0 takes cursor resource 155, 1 cursor resource 156; 2 captures the mouse
/// for the window and shows the busy cursor; 3 shows the cursor it replaced and releases the mouse.
void appCursorMode(WindowHandle window, int mode);
/// Dispatches every pending message (a WM_QUIT read is posted again), then polls the network game.
void appPumpMessages();

} // namespace q71
