#pragma once
// Windows: creation and destruction, the tree of parents, children and owners, procedures,
// properties and text. A popup or other top-level window created with a parent is owned by that
// parent's top-level window. Handles stay testable with windowIsValid after destruction and are
// never reused.

#include "platform/window/window_types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// Creates a window of a registered class; WS_CHILD windows need a live parent. Sends WM_CREATE
/// (a CreateStruct in lParam; -1 refuses the window), WM_SIZE and WM_MOVE, then shows the window
/// when WS_VISIBLE is given. Returns the handle, or no window on failure.
WindowHandle windowCreate(std::uint32_t exStyle, std::string_view className, std::string_view title,
                          std::uint32_t style, int x, int y, int width, int height, WindowHandle parent,
                          std::uintptr_t id = 0, void* createParam = nullptr);
/// Destroys a window: first the windows it owns, then WM_DESTROY to it and to every descendant,
/// parents before children, then WM_NCDESTROY to each, children before parents. A window may
/// destroy itself from its own procedure. False when invalid.
bool windowDestroy(WindowHandle window);
/// True while the window exists (also during its WM_DESTROY); safe from any thread.
bool windowIsValid(WindowHandle window);

/// The parent of a child window, the owner of an owned popup, otherwise no window.
WindowHandle windowGetParent(WindowHandle window);
/// The top-level window that owns this one, or no window.
WindowHandle windowGetOwner(WindowHandle window);
/// The top-level ancestor of a window (the window itself when it is top-level).
WindowHandle windowGetTopLevel(WindowHandle window);
/// True when the window is a child of the parent or lies further down among its descendants.
bool windowIsChild(WindowHandle parent, WindowHandle window);
/// The child windows in z-order, topmost first.
std::vector<WindowHandle> windowGetChildren(WindowHandle window);
/// The child whose id is given, or no window.
WindowHandle windowGetChildById(WindowHandle parent, std::uintptr_t id);
/// The id given at creation (the child id of a control).
std::uintptr_t windowGetId(WindowHandle window);
/// The name of the window's class ("" when invalid).
std::string windowGetClassName(WindowHandle window);
/// The first top-level window of the class (any letter case), and of the title when one is given.
WindowHandle windowFind(std::string_view className, std::string_view title = {});

/// The window's current procedure.
WindowProc windowGetProc(WindowHandle window);
/// Replaces the window's procedure; returns the one it had (to chain to), or null when invalid.
WindowProc windowSetProc(WindowHandle window, WindowProc procedure);

/// Stores a value under a name (any letter case); false when the window is invalid.
bool windowSetProperty(WindowHandle window, std::string_view name, void* value);
/// The value stored under the name, or null.
void* windowGetProperty(WindowHandle window, std::string_view name);
/// Removes the named value and returns it, or null.
void* windowRemoveProperty(WindowHandle window, std::string_view name);

/// Sets the window text through WM_SETTEXT.
bool windowSetText(WindowHandle window, std::string_view text);
/// The window text, read through WM_GETTEXTLENGTH and WM_GETTEXT.
std::string windowGetText(WindowHandle window);

/// The WS_ bits of the window (0 when invalid).
std::uint32_t windowGetStyle(WindowHandle window);
/// The WS_EX_ bits of the window.
std::uint32_t windowGetExStyle(WindowHandle window);

} // namespace q71
