#pragma once
// Message numbers and their parameter codes, with the values the program's messages have always
// had, so numbers written anywhere in the program keep their meaning.

#include <cstdint>

namespace q71 {

// clang-format off
constexpr std::uint32_t WM_NULL            = 0x0000;
constexpr std::uint32_t WM_CREATE          = 0x0001;
constexpr std::uint32_t WM_DESTROY         = 0x0002;
constexpr std::uint32_t WM_MOVE            = 0x0003;
constexpr std::uint32_t WM_SIZE            = 0x0005;
constexpr std::uint32_t WM_ACTIVATE        = 0x0006;
constexpr std::uint32_t WM_SETFOCUS        = 0x0007;
constexpr std::uint32_t WM_KILLFOCUS       = 0x0008;
constexpr std::uint32_t WM_ENABLE          = 0x000A;
constexpr std::uint32_t WM_SETTEXT         = 0x000C;
constexpr std::uint32_t WM_GETTEXT         = 0x000D;
constexpr std::uint32_t WM_GETTEXTLENGTH   = 0x000E;
constexpr std::uint32_t WM_PAINT           = 0x000F;
constexpr std::uint32_t WM_CLOSE           = 0x0010;
constexpr std::uint32_t WM_QUIT            = 0x0012;
constexpr std::uint32_t WM_ERASEBKGND      = 0x0014;
constexpr std::uint32_t WM_SHOWWINDOW      = 0x0018;
constexpr std::uint32_t WM_SETCURSOR       = 0x0020;
constexpr std::uint32_t WM_NEXTDLGCTL      = 0x0028;
constexpr std::uint32_t WM_DRAWITEM        = 0x002B;
constexpr std::uint32_t WM_MEASUREITEM     = 0x002C;
constexpr std::uint32_t WM_DELETEITEM      = 0x002D;
constexpr std::uint32_t WM_SETFONT         = 0x0030;
constexpr std::uint32_t WM_GETFONT         = 0x0031;
constexpr std::uint32_t WM_COMPAREITEM     = 0x0039;
constexpr std::uint32_t WM_NCDESTROY       = 0x0082;
constexpr std::uint32_t WM_NCACTIVATE      = 0x0086;
constexpr std::uint32_t WM_GETDLGCODE      = 0x0087;
constexpr std::uint32_t WM_KEYDOWN         = 0x0100;
constexpr std::uint32_t WM_KEYUP           = 0x0101;
constexpr std::uint32_t WM_CHAR            = 0x0102;
constexpr std::uint32_t WM_DEADCHAR        = 0x0103;
constexpr std::uint32_t WM_SYSKEYDOWN      = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP        = 0x0105;
constexpr std::uint32_t WM_SYSCHAR         = 0x0106;
constexpr std::uint32_t WM_SYSDEADCHAR     = 0x0107;
constexpr std::uint32_t WM_INITDIALOG      = 0x0110;
constexpr std::uint32_t WM_COMMAND         = 0x0111;
constexpr std::uint32_t WM_SYSCOMMAND      = 0x0112;
constexpr std::uint32_t WM_TIMER           = 0x0113;
constexpr std::uint32_t WM_HSCROLL         = 0x0114;
constexpr std::uint32_t WM_VSCROLL         = 0x0115;
constexpr std::uint32_t WM_CTLCOLOREDIT    = 0x0133;
constexpr std::uint32_t WM_CTLCOLORLISTBOX = 0x0134;
constexpr std::uint32_t WM_CTLCOLORBTN     = 0x0135;
constexpr std::uint32_t WM_CTLCOLORDLG     = 0x0136;
constexpr std::uint32_t WM_CTLCOLORSTATIC  = 0x0138;
constexpr std::uint32_t WM_MOUSEMOVE       = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN     = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP       = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK   = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN     = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP       = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK   = 0x0206;
constexpr std::uint32_t WM_MBUTTONDOWN     = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP       = 0x0208;
constexpr std::uint32_t WM_MBUTTONDBLCLK   = 0x0209;
constexpr std::uint32_t WM_MOUSEWHEEL      = 0x020A;
constexpr std::uint32_t WM_MOUSELEAVE      = 0x02A3;
constexpr std::uint32_t MM_MCINOTIFY       = 0x03B9;
constexpr std::uint32_t WM_USER            = 0x0400;
/// Numbers handed out by messageRegister lie in [kFirstRegisteredMessage, 0xFFFF].
constexpr std::uint32_t kFirstRegisteredMessage = 0xC000;

// WM_SYSCOMMAND commands.
constexpr std::uint32_t SC_MINIMIZE = 0xF020;
constexpr std::uint32_t SC_CLOSE    = 0xF060;
constexpr std::uint32_t SC_RESTORE  = 0xF120;

// WM_SIZE kinds.
constexpr std::uint32_t SIZE_RESTORED  = 0;
constexpr std::uint32_t SIZE_MINIMIZED = 1;

// WM_SHOWWINDOW reasons (lParam) when an owner is minimised or restored.
constexpr std::uint32_t SW_PARENTCLOSING = 1;
constexpr std::uint32_t SW_PARENTOPENING = 3;

// WM_ACTIVATE states.
constexpr std::uint32_t WA_INACTIVE = 0;
constexpr std::uint32_t WA_ACTIVE   = 1;

// Hit-test code of WM_SETCURSOR's lParam (low word): the client area.
constexpr std::uint32_t HTCLIENT = 1;

// One notch of the mouse wheel: the high word of WM_MOUSEWHEEL's wParam (signed, away from the user > 0).
constexpr int WHEEL_DELTA = 120;

// Mouse message wParam flags.
constexpr std::uint32_t MK_LBUTTON = 0x0001;
constexpr std::uint32_t MK_RBUTTON = 0x0002;
constexpr std::uint32_t MK_SHIFT   = 0x0004;
constexpr std::uint32_t MK_CONTROL = 0x0008;
constexpr std::uint32_t MK_MBUTTON = 0x0010;
// clang-format on

} // namespace q71
