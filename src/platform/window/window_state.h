#pragma once
// Inside of the window system: the records of windows, classes and timers and the one state
// object that the functions of this folder share. Nothing outside src/platform/window/ includes
// this header.

#include "platform/display/display_backend.h"
#include "platform/geometry/region.h"
#include "platform/window/clock.h"
#include "platform/window/window_class.h"
#include "platform/window/window_types.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace q71::windowing {

struct WindowRecord {
    WindowHandle handle{};
    const WindowClass* windowClass = nullptr;
    WindowProc procedure = nullptr;
    std::string text;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    WindowHandle parent{};              // for child windows
    WindowHandle owner{};               // for owned top-level windows
    std::vector<WindowHandle> children; // z-order, topmost first
    Rect rect; // in the parent's client coordinates; in screen coordinates for top-level windows
    std::uintptr_t id = 0;
    std::vector<std::pair<std::string, void*>> properties;
    std::optional<Region> shape; // window coordinates
    Region update;               // client coordinates
    bool erasePending = false;
    bool destroying = false;
    bool hiddenByOwner = false; // an owned popup hidden while its owner is minimised
};

struct TimerRecord {
    WindowHandle window{};
    std::uintptr_t id = 0;
    std::uint32_t periodMs = 0;
    std::uint64_t dueMs = 0;
    TimerProc callback = nullptr;
};

struct ModalRecord {
    WindowHandle window{};
    bool ended = false;
    LResult result = 0;
};

// Where the last button press went, to recognise a double click.
struct ClickRecord {
    WindowHandle window{};
    std::uint32_t downMessage = 0;
    std::uint64_t timeMs = 0;
    Point position;
    bool valid = false;
};

struct State {
    State(DisplayBackend& b, Clock& c) : backend(b), clock(c), mainThread(std::this_thread::get_id()) {}

    DisplayBackend& backend;
    Clock& clock;
    std::thread::id mainThread;

    // Windows: the record of handle h lives at windows[h - kFirstHandle]; a destroyed window's
    // slot is empty and never filled again. Other threads validate handles under windowsLock;
    // the main thread, the only writer, takes it only to change the table.
    std::vector<std::unique_ptr<WindowRecord>> windows;
    mutable std::shared_mutex windowsLock;
    std::vector<WindowHandle> topLevels; // z-order, topmost first
    std::deque<WindowClass> classes;     // never removed, so pointers to them stay valid
    size_t windowsWithUpdate = 0;
    std::uint64_t layoutGeneration = 0; // bumped whenever a visible region may have changed

    // Messages posted from any thread, guarded by queueLock.
    std::mutex queueLock;
    std::deque<Message> posted;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<std::string> registeredMessages;

    // Device input not yet turned into messages, and input messages made but not yet taken.
    std::deque<InputEvent> rawInput;
    std::deque<Message> inputMessages;

    std::vector<TimerRecord> timers;
    std::uintptr_t nextThreadTimerId = 1;

    WindowHandle focus{};
    WindowHandle capture{};
    WindowHandle active{};
    WindowHandle pointerWatched{}; // hears WM_MOUSELEAVE when the pointer leaves it
    Point cursorPosition;
    CursorHandle cursor{};
    std::deque<CursorImage> cursors; // cursor h is cursors[h - 1]; a deque, as backends keep pointers into it
    std::map<std::string, CursorHandle, std::less<>> namedCursors; // loaded once, kept till the stop
    std::array<std::uint8_t, 256> keyState{};      // as of the messages taken from the queue
    std::array<std::uint8_t, 256> asyncKeyState{}; // as of the device events read
    ClickRecord lastClick;

    std::uint64_t lastPresentMs = 0;

    std::vector<ModalRecord> modals; // innermost last
    std::deque<std::function<void(WindowHandle)>> modalScript;
    std::function<void(WindowHandle)> unansweredModal;

    std::function<bool(WindowHandle, WParam, std::uintptr_t)> eraseBackground;
    std::function<void(WindowHandle)> defaultPaint;
};

constexpr std::uint32_t kFirstHandle = 0x100;

/// The running window system's state; the system must be started.
State& state();
/// The record of a live window (one being destroyed included), or null. Main thread only.
WindowRecord* findWindow(WindowHandle window);
/// True when called on the thread that started the window system.
bool onMainThread();

// Classes (window_class.cpp).
const WindowClass* findClass(std::string_view name);

// The tree (window.cpp).
bool isTopLevel(const WindowRecord& w);
std::vector<WindowHandle>& siblingsOf(const WindowRecord& w); // the parent's children or the top-level list
WindowRecord* topLevelOf(WindowRecord* w);
void collectSubtree(WindowHandle root, std::vector<WindowHandle>& out); // pre-order
std::vector<WindowHandle> ownedWindows(WindowHandle owner);
void insertTopLevel(WindowHandle handle, size_t position);
size_t firstPlaceInBand(bool topmost); // where the topmost or the normal band of top-level windows starts

// Placement (window_layout.cpp).
Point screenOrigin(const WindowRecord& w);
Rect screenRect(const WindowRecord& w);
Region screenArea(const WindowRecord& w);   // the rectangle cut by the shape, in screen coordinates
bool isShowing(const WindowRecord& w);      // visible with all ancestors, not minimised
bool isInputEnabled(const WindowRecord& w); // neither it nor an ancestor disabled
WindowRecord* mainWindow();
void showTitleIfMain(const WindowRecord& w); // the real window carries the main window's text
inline void layoutChanged() {
    ++state().layoutGeneration;
}
void hideForDestroy(WindowRecord& w);

// Painting (window_paint.cpp).
Region coveredArea(const WindowRecord& w);     // the screen the window and its children show on
void invalidateScreenArea(const Region& area); // repaint whatever now shows in a screen area
void exposeSubtree(WindowRecord& w);           // the whole window and its children need painting
void clearSubtreeUpdates(WindowHandle handle);
void clipUpdateToClient(WindowRecord& w);
void forgetUpdate(WindowRecord& w);
bool takePaintMessage(Message& out);

// The queue (message_queue.cpp, input_routing.cpp, timers.cpp, frame_pacing.cpp).
std::uint32_t messageTime();
void readDeviceEvents();
bool takeInputMessage(Message& out, bool remove);
bool takeTimerMessage(Message& out, bool remove);
TimerProc timerCallback(WindowHandle window, std::uintptr_t id);
std::optional<std::uint64_t> nextTimerDue();
void killWindowTimers(WindowHandle window);
void waitWhileIdle();

// Focus and activation (focus.cpp).
void activate(WindowHandle topLevel);
void activateAnotherThan(WindowHandle leaving);
void moveFocusOutOf(WindowHandle root);     // before a window goes: focus, capture and activation leave it
void inputLeaveDisabled(WindowHandle root); // focus and capture leave a window being disabled
void forgetInputWindow(WindowHandle handle);
void pointerMovedTo(Point screen);        // the pointer now stands there: a window it left hears so
void pointerLeaveHidden(WindowHandle root); // a window hidden with the pointer over it hears so

} // namespace q71::windowing
