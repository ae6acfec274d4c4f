#pragma once
// Messages of the standard controls, the notifications they send their parent in WM_COMMAND
// (wParam: control id in the low word, code in the high word; lParam: the control), and the
// answers of WM_GETDLGCODE, all with their usual values.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

// clang-format off
// EDIT
constexpr std::uint32_t EM_GETSEL   = 0x00B0; // (start*, end*) -> MAKELONG(start, end)
constexpr std::uint32_t EM_SETSEL   = 0x00B1; // (start, end): 0, -1 selects all; start -1 removes the selection
constexpr std::uint32_t EM_LIMITTEXT= 0x00C5; // (count): 0 lifts the limit
constexpr std::uint32_t EM_GETLINECOUNT        = 0x00BA; // multi-line: -> the lines as the field shows them
constexpr std::uint32_t EM_GETFIRSTVISIBLELINE = 0x00CE; // multi-line: -> the line at the top
constexpr std::uint32_t EN_SETFOCUS  = 0x0100;
constexpr std::uint32_t EN_KILLFOCUS = 0x0200;
constexpr std::uint32_t EN_CHANGE    = 0x0300;

// LISTBOX
constexpr std::uint32_t LB_ADDSTRING           = 0x0180;
constexpr std::uint32_t LB_DELETESTRING        = 0x0182;
constexpr std::uint32_t LB_RESETCONTENT        = 0x0184;
constexpr std::uint32_t LB_SETCURSEL           = 0x0186;
constexpr std::uint32_t LB_GETCURSEL           = 0x0188;
constexpr std::uint32_t LB_GETTEXT             = 0x0189;
constexpr std::uint32_t LB_GETTEXTLEN          = 0x018A;
constexpr std::uint32_t LB_GETCOUNT            = 0x018B;
constexpr std::uint32_t LB_GETTOPINDEX         = 0x018E;
constexpr std::uint32_t LB_GETHORIZONTALEXTENT = 0x0193;
constexpr std::uint32_t LB_SETHORIZONTALEXTENT = 0x0194;
constexpr std::uint32_t LB_SETTOPINDEX         = 0x0197;
constexpr std::uint32_t LB_GETITEMRECT         = 0x0198;
constexpr std::uint32_t LB_GETITEMDATA         = 0x0199;
constexpr std::uint32_t LB_SETITEMDATA         = 0x019A;
constexpr std::uint32_t LB_SETITEMHEIGHT       = 0x01A0;
constexpr std::uint32_t LB_GETITEMHEIGHT       = 0x01A1;
constexpr std::uint32_t LB_FINDSTRINGEXACT     = 0x01A2;
constexpr LResult LB_ERR = -1;
constexpr std::uint32_t LBN_SELCHANGE = 1;
constexpr std::uint32_t LBN_DBLCLK    = 2;
constexpr std::uint32_t LBN_SELCANCEL = 3;

// COMBOBOX
constexpr std::uint32_t CB_ADDSTRING        = 0x0143;
constexpr std::uint32_t CB_DELETESTRING     = 0x0144;
constexpr std::uint32_t CB_GETCOUNT         = 0x0146;
constexpr std::uint32_t CB_GETCURSEL        = 0x0147;
constexpr std::uint32_t CB_GETLBTEXT        = 0x0148;
constexpr std::uint32_t CB_GETLBTEXTLEN     = 0x0149;
constexpr std::uint32_t CB_RESETCONTENT     = 0x014B;
constexpr std::uint32_t CB_SETCURSEL        = 0x014E;
constexpr std::uint32_t CB_SHOWDROPDOWN     = 0x014F;
constexpr std::uint32_t CB_GETITEMDATA      = 0x0150;
constexpr std::uint32_t CB_SETITEMDATA      = 0x0151;
constexpr std::uint32_t CB_GETDROPPEDSTATE  = 0x0157;
constexpr std::uint32_t CB_FINDSTRINGEXACT  = 0x0158;
constexpr std::uint32_t CB_SETMINVISIBLE    = 0x1701; // rows the dropped list has room for, however few
constexpr LResult CB_ERR = -1;
constexpr std::uint32_t CBN_SELCHANGE  = 1;
constexpr std::uint32_t CBN_EDITCHANGE = 5;
constexpr std::uint32_t CBN_CLOSEUP    = 8;

// BUTTON
constexpr std::uint32_t BM_GETCHECK = 0x00F0;
constexpr std::uint32_t BM_SETCHECK = 0x00F1;
constexpr std::uint32_t BM_GETSTATE = 0x00F2; // BST_ bits
constexpr std::uint32_t BM_SETSTATE = 0x00F3; // shows the button pushed or not
constexpr std::uint32_t BM_CLICK    = 0x00F5;
constexpr WParam BST_UNCHECKED = 0x0000;
constexpr WParam BST_CHECKED   = 0x0001;
constexpr WParam BST_PUSHED    = 0x0004;
constexpr WParam BST_FOCUS     = 0x0008;
constexpr std::uint32_t BN_CLICKED = 0;

// What a control asks of the dialog manager's keyboard handling (WM_GETDLGCODE).
constexpr LResult DLGC_WANTARROWS      = 0x0001;
constexpr LResult DLGC_WANTTAB         = 0x0002;
constexpr LResult DLGC_WANTALLKEYS     = 0x0004;
constexpr LResult DLGC_HASSETSEL       = 0x0008;
constexpr LResult DLGC_DEFPUSHBUTTON   = 0x0010;
constexpr LResult DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LResult DLGC_RADIOBUTTON     = 0x0040;
constexpr LResult DLGC_WANTCHARS       = 0x0080;
constexpr LResult DLGC_STATIC          = 0x0100;
constexpr LResult DLGC_BUTTON          = 0x2000;

// WM_VSCROLL and WM_HSCROLL requests (the low word of wParam; the position in the high word).
constexpr int SB_LINEUP        = 0;
constexpr int SB_LINEDOWN      = 1;
constexpr int SB_PAGEUP        = 2;
constexpr int SB_PAGEDOWN      = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK    = 5;
constexpr int SB_TOP           = 6;
constexpr int SB_BOTTOM        = 7;
constexpr int SB_ENDSCROLL     = 8;
// clang-format on

/// The wParam of a control's WM_COMMAND: its id in the low word and the code in the high word.
constexpr WParam commandWParam(std::uintptr_t id, std::uint32_t code) {
    return (static_cast<WParam>(code & 0xFFFF) << 16) | (id & 0xFFFF);
}

} // namespace q71
