#pragma once
// Style bits of the standard controls, with their usual values (the low 16 bits of a window's
// style belong to its class).

#include <cstdint>

namespace q71 {

// clang-format off
// EDIT: a single line of text, or several.
constexpr std::uint32_t ES_MULTILINE   = 0x0004; // lines that wrap, Return breaking them, scrolling vertically
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080; // scrolls sideways to follow the caret; without it the text stops at the right edge
constexpr std::uint32_t ES_NOHIDESEL   = 0x0100; // keeps showing the selection without the focus

// LISTBOX
constexpr std::uint32_t LBS_NOTIFY            = 0x0001; // tells the parent of selections and double clicks
constexpr std::uint32_t LBS_OWNERDRAWFIXED    = 0x0010; // the parent draws items of one height
constexpr std::uint32_t LBS_OWNERDRAWVARIABLE = 0x0020; // the parent draws items and measures each one
constexpr std::uint32_t LBS_HASSTRINGS        = 0x0040; // an owner-drawn list keeps the items' texts
constexpr std::uint32_t LBS_NOINTEGRALHEIGHT  = 0x0100;

// COMBOBOX
constexpr std::uint32_t CBS_DROPDOWN         = 0x0002; // an edit field over a list that drops down
constexpr std::uint32_t CBS_DROPDOWNLIST     = 0x0003; // a field showing the selection over a list that drops down
constexpr std::uint32_t CBS_OWNERDRAWFIXED   = 0x0010;
constexpr std::uint32_t CBS_OWNERDRAWVARIABLE= 0x0020;
constexpr std::uint32_t CBS_AUTOHSCROLL      = 0x0040;
constexpr std::uint32_t CBS_HASSTRINGS       = 0x0200;
constexpr std::uint32_t CBS_NOINTEGRALHEIGHT = 0x0400;

// BUTTON: the kind is the low four bits.
constexpr std::uint32_t BS_PUSHBUTTON      = 0x0000;
constexpr std::uint32_t BS_DEFPUSHBUTTON   = 0x0001;
constexpr std::uint32_t BS_CHECKBOX        = 0x0002;
constexpr std::uint32_t BS_AUTOCHECKBOX    = 0x0003;
constexpr std::uint32_t BS_RADIOBUTTON     = 0x0004;
constexpr std::uint32_t BS_GROUPBOX        = 0x0007;
constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x0009;
constexpr std::uint32_t BS_TYPEMASK        = 0x000F;

// STATIC: the alignment is the low four bits.
constexpr std::uint32_t SS_LEFT           = 0x0000;
constexpr std::uint32_t SS_CENTER         = 0x0001;
constexpr std::uint32_t SS_RIGHT          = 0x0002;
constexpr std::uint32_t SS_LEFTNOWORDWRAP = 0x000C;
constexpr std::uint32_t SS_TYPEMASK       = 0x001F;
constexpr std::uint32_t SS_NOPREFIX       = 0x0080; // '&' is shown as it is
// clang-format on

} // namespace q71
