#pragma once
// The mission editor's place in the screen table: its maker for slot 10, which also gives the
// main menu its editor line.

namespace q71 {

/// Registers the mission editor's screen maker; the program calls it at start-up.
void editorInstallScreens();

} // namespace q71
