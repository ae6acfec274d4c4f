#pragma once
// The screen manager's state, shared by its files: the 22 slots with their update-list links,
// the current slot, the head of the update list, the makers of the screens and the busy cursor.

#include "framework/app/screen_manager.h"

#include <array>
#include <memory>

namespace q71 {

struct ScreenEntry {
    std::unique_ptr<FullScreen> screen;
    int next = -1; ///< update-list successor, -1 for none
};

struct ScreenTable {
    std::array<ScreenEntry, kScreenSlotCount> entries;
    int current = 0;
    int head = -1; ///< first slot of the update list, -1 while it is empty
    std::array<ScreenMaker, kScreenSlotCount> makers{};
    MovieScreenMaker movieMaker = nullptr;
    CursorHandle busyCursor{};
    CursorHandle savedCursor{}; ///< the cursor the busy cursor replaced
};

/// The screen manager's state.
ScreenTable& screenTable();

} // namespace q71
