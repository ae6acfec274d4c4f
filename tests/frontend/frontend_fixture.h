#pragma once
// The ground of the front end's screen tests: the program started as far as the loop (texts,
// install paths, the main window, fonts, archive bitmaps, the text boxes' scroll bars, the front
// end's screens registered) on a headless window system with a fake clock, a player folder of its
// own, and no media.

#include "sim/support/scoped_folders.h"
#include "support/headless_windows.h"

#include <string>

namespace q71::test {

class FrontEndFixture : public HeadlessWindows {
protected:
    FrontEndFixture();
    ~FrontEndFixture() override;

    /// Moves the clock 10 ms at a time for `ms`, handling what falls due after each step.
    void run(std::uint64_t ms);
    /// Clicks the left button at a point of the screen and handles what follows.
    void clickAt(Point at);
    /// Types characters (letters as their keys) and handles what follows.
    void type(const std::string& text);
    /// Presses a special key and handles what follows.
    void press(std::uint8_t virtualKey, int character = -1);
    /// Clicks the main menu's line of a screen-table slot, as a player does (the menu showing);
    /// false when the menu shows no line for it.
    bool clickMainMenuLine(int slot);
    /// Answers the next message box with `answer`; the flag tells whether one was shown.
    std::shared_ptr<bool> answerNextBox(int answer);

    PlayerFolder player;
};

/// Points the data set at a copy made of links to the real one, less one file (a path below the
/// data set's folder), for the life of the object.
class DataSetWithout {
public:
    explicit DataSetWithout(const std::string& missing);
    ~DataSetWithout();
    DataSetWithout(const DataSetWithout&) = delete;
    DataSetWithout& operator=(const DataSetWithout&) = delete;

private:
    TempDir dir_;
    std::string old_;
};

} // namespace q71::test
