#pragma once
// Puts the shell and the screen manager back as they were before a test: every screen destroyed
// while its window still exists, the table emptied, no maker left (of screens or of the host's
// stations), the shell's state cleared, the null services back. Header-only, so that only the test
// binaries of the framework and above link the shell.

#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell_state.h"
#include "framework/app/station_table.h"

namespace q71::test {

inline void resetShell() {
    for (int slot = 0; slot < kScreenSlotCount; ++slot)
        screenDestroy(slot);
    screenTableReset();
    for (int slot = 0; slot < kScreenSlotCount; ++slot)
        screenRegisterMaker(slot, nullptr);
    screenRegisterMovieMaker(nullptr);
    for (int station = 0; station < kHostStationCount; ++station)
        stationRegisterMaker(station, nullptr);
    appShellState() = AppShellState{};
    appInstallServices({});
}

} // namespace q71::test
