#pragma once
// Window styles, extended styles, class styles, show commands and position flags, with their
// usual numeric values.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

// clang-format off
constexpr std::uint32_t WS_OVERLAPPED   = 0x00000000;
constexpr std::uint32_t WS_POPUP        = 0x80000000;
constexpr std::uint32_t WS_CHILD        = 0x40000000;
constexpr std::uint32_t WS_MINIMIZE     = 0x20000000;
constexpr std::uint32_t WS_VISIBLE      = 0x10000000;
constexpr std::uint32_t WS_DISABLED     = 0x08000000;
constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000;
constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000;
constexpr std::uint32_t WS_CAPTION      = 0x00C00000;
constexpr std::uint32_t WS_BORDER       = 0x00800000;
constexpr std::uint32_t WS_DLGFRAME     = 0x00400000;
constexpr std::uint32_t WS_VSCROLL      = 0x00200000;
constexpr std::uint32_t WS_HSCROLL      = 0x00100000;
constexpr std::uint32_t WS_SYSMENU      = 0x00080000;
constexpr std::uint32_t WS_GROUP        = 0x00020000;
constexpr std::uint32_t WS_TABSTOP      = 0x00010000;

constexpr std::uint32_t WS_EX_TOPMOST   = 0x00000008;
constexpr std::uint32_t WS_EX_NOACTIVATE = 0x08000000; // neither showing nor clicking activates it

constexpr std::uint32_t CS_VREDRAW      = 0x0001;
constexpr std::uint32_t CS_HREDRAW      = 0x0002;
constexpr std::uint32_t CS_DBLCLKS      = 0x0008;
constexpr std::uint32_t CS_OWNDC        = 0x0020;
constexpr std::uint32_t CS_PARENTDC     = 0x0080;
constexpr std::uint32_t CS_GLOBALCLASS  = 0x4000;

constexpr int SW_HIDE            = 0;
constexpr int SW_SHOWNORMAL      = 1;
constexpr int SW_SHOWMINIMIZED   = 2;
constexpr int SW_SHOWMAXIMIZED   = 3;
constexpr int SW_SHOWNOACTIVATE  = 4;
constexpr int SW_SHOW            = 5;
constexpr int SW_MINIMIZE        = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA          = 8;
constexpr int SW_RESTORE         = 9;
constexpr int SW_SHOWDEFAULT     = 10;

constexpr std::uint32_t SWP_NOSIZE       = 0x0001;
constexpr std::uint32_t SWP_NOMOVE       = 0x0002;
constexpr std::uint32_t SWP_NOZORDER     = 0x0004;
constexpr std::uint32_t SWP_NOREDRAW     = 0x0008;
constexpr std::uint32_t SWP_NOACTIVATE   = 0x0010;
constexpr std::uint32_t SWP_SHOWWINDOW   = 0x0040;
constexpr std::uint32_t SWP_HIDEWINDOW   = 0x0080;

// Places for windowSetPos's insert-after argument besides a real window.
constexpr WindowHandle HWND_TOP{0};
constexpr WindowHandle HWND_BOTTOM{1};
constexpr WindowHandle HWND_TOPMOST{0xFFFFFFFF};
constexpr WindowHandle HWND_NOTOPMOST{0xFFFFFFFE};
// clang-format on

} // namespace q71
