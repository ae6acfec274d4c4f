#pragma once
// Virtual-key codes with their usual values. Letters and digits are their upper-case ASCII codes
// ('A' = 0x41, '0' = 0x30).

#include <cstdint>

namespace q71 {

// clang-format off
constexpr std::uint32_t VK_LBUTTON   = 0x01;
constexpr std::uint32_t VK_RBUTTON   = 0x02;
constexpr std::uint32_t VK_MBUTTON   = 0x04;
constexpr std::uint32_t VK_BACK      = 0x08;
constexpr std::uint32_t VK_TAB       = 0x09;
constexpr std::uint32_t VK_CLEAR     = 0x0C;
constexpr std::uint32_t VK_RETURN    = 0x0D;
constexpr std::uint32_t VK_SHIFT     = 0x10;
constexpr std::uint32_t VK_CONTROL   = 0x11;
constexpr std::uint32_t VK_MENU      = 0x12;
constexpr std::uint32_t VK_PAUSE     = 0x13;
constexpr std::uint32_t VK_CAPITAL   = 0x14;
constexpr std::uint32_t VK_ESCAPE    = 0x1B;
constexpr std::uint32_t VK_SPACE     = 0x20;
constexpr std::uint32_t VK_PRIOR     = 0x21;
constexpr std::uint32_t VK_NEXT      = 0x22;
constexpr std::uint32_t VK_END       = 0x23;
constexpr std::uint32_t VK_HOME      = 0x24;
constexpr std::uint32_t VK_LEFT      = 0x25;
constexpr std::uint32_t VK_UP        = 0x26;
constexpr std::uint32_t VK_RIGHT     = 0x27;
constexpr std::uint32_t VK_DOWN      = 0x28;
constexpr std::uint32_t VK_INSERT    = 0x2D;
constexpr std::uint32_t VK_DELETE    = 0x2E;
constexpr std::uint32_t VK_NUMPAD0   = 0x60;
constexpr std::uint32_t VK_MULTIPLY  = 0x6A;
constexpr std::uint32_t VK_ADD       = 0x6B;
constexpr std::uint32_t VK_SUBTRACT  = 0x6D;
constexpr std::uint32_t VK_DECIMAL   = 0x6E;
constexpr std::uint32_t VK_DIVIDE    = 0x6F;
constexpr std::uint32_t VK_F1        = 0x70;
constexpr std::uint32_t VK_F4        = 0x73;
constexpr std::uint32_t VK_F10       = 0x79;
constexpr std::uint32_t VK_F12       = 0x7B;
constexpr std::uint32_t VK_NUMLOCK   = 0x90;
constexpr std::uint32_t VK_SCROLL    = 0x91;
constexpr std::uint32_t VK_LSHIFT    = 0xA0;
constexpr std::uint32_t VK_RSHIFT    = 0xA1;
constexpr std::uint32_t VK_LCONTROL  = 0xA2;
constexpr std::uint32_t VK_RCONTROL  = 0xA3;
constexpr std::uint32_t VK_LMENU     = 0xA4;
constexpr std::uint32_t VK_RMENU     = 0xA5;
constexpr std::uint32_t VK_OEM_1     = 0xBA; // ';' on a US keyboard
constexpr std::uint32_t VK_OEM_PLUS  = 0xBB;
constexpr std::uint32_t VK_OEM_COMMA = 0xBC;
constexpr std::uint32_t VK_OEM_MINUS = 0xBD;
constexpr std::uint32_t VK_OEM_PERIOD= 0xBE;
constexpr std::uint32_t VK_OEM_2     = 0xBF; // '/'
constexpr std::uint32_t VK_OEM_3     = 0xC0; // '`'
constexpr std::uint32_t VK_OEM_4     = 0xDB; // '['
constexpr std::uint32_t VK_OEM_5     = 0xDC; // '\'
constexpr std::uint32_t VK_OEM_6     = 0xDD; // ']'
constexpr std::uint32_t VK_OEM_7     = 0xDE; // '''
constexpr std::uint32_t VK_OEM_102   = 0xE2; // the extra key beside left Shift on European keyboards
// clang-format on

} // namespace q71
