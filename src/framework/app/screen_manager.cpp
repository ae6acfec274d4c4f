#include "framework/app/screen_manager.h"

#include "framework/app/full_screen.h"
#include "framework/app/screen_table.h"
#include "framework/app/shell.h"
#include "platform/window/message_queue.h"

namespace q71 {
namespace {

bool inRange(int slot) {
    return slot >= 0 && slot < kScreenSlotCount;
}

// The slots that screenSwitch creates on first use.
bool createdOnSwitch(int slot) {
    switch (slot) {
    case kSlotMainMenu:
    case kSlotCaptainsLog:
    case kSlotShipBooks:
    case kSlotReferenceBook:
    case kSlotCredits:
    case kSlotMissionEditor:
    case kSlotPortOfCall:
    case kSlotMultiPlayer:
        return true;
    default:
        return false;
    }
}

// Puts a new screen into its slot. What the slot held goes first, deactivated and deleted, so
// that neither the old screen nor its window is left behind.
FullScreen* install(int slot, std::unique_ptr<FullScreen> screen) {
    if (!screen)
        return nullptr;
    screenDestroy(slot);
    screenTable().entries[static_cast<std::size_t>(slot)].screen = std::move(screen);
    return screenGet(slot);
}

} // namespace

ScreenTable& screenTable() {
    static ScreenTable table;
    return table;
}

void screenRegisterMaker(int slot, ScreenMaker maker) {
    if (inRange(slot))
        screenTable().makers[static_cast<std::size_t>(slot)] = maker;
}

void screenRegisterMovieMaker(MovieScreenMaker maker) {
    screenTable().movieMaker = maker;
}

bool screenHasMaker(int slot) {
    return inRange(slot) && screenTable().makers[static_cast<std::size_t>(slot)] != nullptr;
}

void screenTableReset() {
    ScreenTable& table = screenTable();
    for (ScreenEntry& entry : table.entries)
        entry = {};
    table.current = 0;
    table.head = -1;
}

FullScreen* screenCreate(int slot, int argument) {
    if (!screenHasMaker(slot))
        return nullptr;
    const ScreenRequest request{appMainWindow(), argument};
    return install(slot, screenTable().makers[static_cast<std::size_t>(slot)](request));
}

FullScreen* screenCreateMovie(const char* movie, const char* secondMovie, int nextSlot) {
    MovieScreenMaker maker = screenTable().movieMaker;
    FullScreen* screen = maker ? install(kSlotMovie, maker(appMainWindow(), movie, secondMovie)) : nullptr;
    if (screen)
        screen->setNextScreenSlot(nextSlot);
    return screen;
}

void screenSwitch(int slot) {
    if (!inRange(slot))
        return;
    if (!screenGet(slot) && createdOnSwitch(slot))
        screenCreate(slot);
    FullScreen* screen = screenGet(slot);
    if (!screen)
        return;
    screenTable().current = slot;
    screen->activate();
}

FullScreen* screenGet(int slot) {
    return inRange(slot) ? screenTable().entries[static_cast<std::size_t>(slot)].screen.get() : nullptr;
}

void screenDestroy(int slot) {
    FullScreen* screen = screenGet(slot);
    if (!screen)
        return;
    screen->deactivate();
    // The entry is emptied before the screen goes, so that nothing its destruction sets off
    // finds it in the table half destroyed.
    std::unique_ptr<FullScreen> gone =
        std::move(screenTable().entries[static_cast<std::size_t>(slot)].screen);
    gone.reset();
}

void screenDestroyLater(int slot) {
    if (inRange(slot))
        messagePost(appMainWindow(), kMsgDestroyScreen, static_cast<WParam>(slot), 0);
}

void screenRunLater(void (*action)()) {
    if (action)
        messagePost(appMainWindow(), kMsgRunLater, reinterpret_cast<WParam>(action), 0);
}

void screenDestroyFrontEnd() {
    for (int slot : {kSlotMainMenu, kSlotMissionEditor, kSlotMultiPlayer, kSlotReferenceBook, kSlotShipBooks,
                     kSlotCaptainsLog, kSlotOptions, kSlotPortOfCall})
        screenDestroy(slot);
}

void screenQuitProgram() {
    appFreeHotKeys();
    // Slot 21 is never used.
    for (int slot = 0; slot < kScreenSlotCount - 1; ++slot)
        screenDestroy(slot);
    messagePostQuit(0);
}

int screenCurrentIndex() {
    return screenTable().current;
}

void screenSetCurrentIndex(int slot) {
    screenTable().current = slot;
}

WindowHandle screenCurrentWindow() {
    FullScreen* screen = screenGet(screenTable().current);
    return screen ? screen->window() : WindowHandle{};
}

void screenSetSuccessor(int slot, int next) {
    if (inRange(slot))
        screenTable().entries[static_cast<std::size_t>(slot)].next = inRange(next) ? next : -1;
}

void screenUpdateAll() {
    // A slot appears on the list at most once, so the walk ends after at most one pass over the table.
    int slot = screenTable().head;
    for (int steps = 0; inRange(slot) && steps < kScreenSlotCount; ++steps) {
        if (FullScreen* screen = screenGet(slot))
            screen->update();
        slot = screenTable().entries[static_cast<std::size_t>(slot)].next;
    }
}

} // namespace q71
