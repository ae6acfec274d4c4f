#pragma once
// The progress box shown while the terrain world cuts a grid: a modeless box with a message,
// a level bar and, on request, a Cancel button, under the busy cursor. The screens install
// the real box at start-up; until then, and in tests, the null box shows nothing and is never
// cancelled, so a cut runs headless.

namespace q71 {

class TerrainProgressBox {
public:
    virtual ~TerrainProgressBox() = default;
    /// Shows the box with its message and, when cancellable, a button with its text.
    virtual void open(const char* message, const char* buttonText, bool cancellable) = 0;
    /// Moves the level bar to done / total.
    virtual void setLevel(long done, long total) = 0;
    /// Answers the program's pending messages (the shell's message pump); true once Cancel was pressed.
    virtual bool pumpMessages() = 0;
    /// Closes the box and gives the cursor back.
    virtual void close() = 0;
};

/// Installs the box the terrain world shows; null puts the null box back.
void worldSetProgressBox(TerrainProgressBox* box);

/// The installed box.
TerrainProgressBox& worldProgressBox();

} // namespace q71
