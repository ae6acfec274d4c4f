#pragma once
// A window system on the headless backend and a fake clock, for one test. The class "Recorder"
// (and "RecorderDbl", with double clicks) makes windows that log every message they receive,
// let the test react through onMessage, and otherwise behave as the default procedure.

#include "platform/display/headless_backend.h"
#include "platform/window/clock.h"
#include "platform/window/window_system.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace q71::test {

struct Received {
    WindowHandle window{};
    std::uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

class HeadlessWindows : public ::testing::Test {
protected:
    HeadlessWindows();
    ~HeadlessWindows() override;

    /// Reads, translates and dispatches until the queue is empty; returns how many were
    /// dispatched. Reading WM_QUIT stops it and sets quitRead.
    int pump();
    /// A recording window (position in the parent's client coordinates).
    WindowHandle makeWindow(std::uint32_t style, Rect rect, WindowHandle parent = {},
                            std::uint32_t exStyle = 0, std::string_view className = "Recorder");
    /// The messages of one number that a window received, in order.
    std::vector<Received> receivedBy(WindowHandle window, std::uint32_t message) const;
    /// The numbers of the messages received, keeping only those listed, in order.
    std::vector<std::uint32_t> sequence(std::initializer_list<std::uint32_t> only) const;

    FakeClock clock{1000};
    HeadlessBackend display;
    WindowSystemSession session{display, clock};
    std::vector<Received> received;
    // Called for every message a recording window receives; a value is returned as the result
    // instead of the default procedure's.
    std::function<std::optional<LResult>(const Received&)> onMessage;
    bool quitRead = false;

private:
    static LResult recorderProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
    static HeadlessWindows* current_;
};

} // namespace q71::test
