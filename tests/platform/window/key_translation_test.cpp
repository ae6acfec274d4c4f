#include "platform/window/key_translation.h"
#include "platform/window/message_ids.h"
#include "platform/window/virtual_keys.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

struct Case {
    const char* what;
    std::uint32_t vk;
    KeyModifiers mods;
    int layout;
    bool dead;
    std::uint32_t keyMessage, charMessage, character;
};

constexpr KeyModifiers kNone{}, kShift{true, false, false}, kCtrl{false, true, false},
    kAlt{false, false, true}, kCtrlShift{true, true, false}, kAltGr{false, true, true};

const Case kCases[] = {
    {"letter", 'Q', kNone, 'q', false, WM_KEYDOWN, WM_CHAR, 'q'},
    {"shifted letter", 'Q', kShift, 'Q', false, WM_KEYDOWN, WM_CHAR, 'Q'},
    {"escape", VK_ESCAPE, kNone, -1, false, WM_KEYDOWN, WM_CHAR, 27},
    {"enter", VK_RETURN, kNone, -1, false, WM_KEYDOWN, WM_CHAR, 13},
    {"backspace", VK_BACK, kNone, -1, false, WM_KEYDOWN, WM_CHAR, 8},
    {"tab", VK_TAB, kNone, -1, false, WM_KEYDOWN, WM_CHAR, 9},
    {"ctrl+a", 'A', kCtrl, 'a', false, WM_KEYDOWN, WM_CHAR, 1},
    {"ctrl+q", 'Q', kCtrl, 'q', false, WM_KEYDOWN, WM_CHAR, 17},
    {"ctrl+shift+z", 'Z', kCtrlShift, 'Z', false, WM_KEYDOWN, WM_CHAR, 26},
    {"ctrl+enter", VK_RETURN, kCtrl, -1, false, WM_KEYDOWN, WM_CHAR, 10},
    {"ctrl+digit gives nothing", '5', kCtrl, '5', false, WM_KEYDOWN, 0, 0},
    {"alt+letter", 'X', kAlt, 'x', false, WM_SYSKEYDOWN, WM_SYSCHAR, 'x'},
    {"alt+enter", VK_RETURN, kAlt, -1, false, WM_SYSKEYDOWN, WM_SYSCHAR, 13},
    {"altgr gives the layout's character", 'E', kAltGr, 0x80, false, WM_KEYDOWN, WM_CHAR, 0x80},
    {"function key", VK_F1, kNone, -1, false, WM_KEYDOWN, 0, 0},
    {"f10 is a system key", VK_F10, kNone, -1, false, WM_SYSKEYDOWN, 0, 0},
    {"arrow", VK_LEFT, kShift, -1, false, WM_KEYDOWN, 0, 0},
    {"dead accent", VK_OEM_6, kNone, '^', true, WM_KEYDOWN, WM_DEADCHAR, '^'},
    {"dead accent with alt", VK_OEM_6, kAlt, '^', true, WM_SYSKEYDOWN, WM_SYSDEADCHAR, '^'},
    {"latin letter of the layout", VK_OEM_7, kNone, 0xE9, false, WM_KEYDOWN, WM_CHAR, 0xE9},
};

TEST(KeyTranslation, KeysBecomeTheMessagesAndCharactersWindowsMakes) {
    for (const Case& c : kCases) {
        TranslatedKey t = keyTranslate(c.vk, c.mods, c.layout, c.dead);
        EXPECT_EQ(t.keyMessage, c.keyMessage) << c.what;
        EXPECT_EQ(t.charMessage, c.charMessage) << c.what;
        if (c.charMessage != 0) {
            EXPECT_EQ(t.character, c.character) << c.what;
        }
    }
}

TEST(KeyTranslation, ReleasesAreSystemKeysWhileAltIsHeldAlone) {
    EXPECT_EQ(keyUpMessage('A', kNone), WM_KEYUP);
    EXPECT_EQ(keyUpMessage('A', kAlt), WM_SYSKEYUP);
    EXPECT_EQ(keyUpMessage(VK_MENU, kAlt), WM_SYSKEYUP);
    EXPECT_EQ(keyUpMessage('A', kAltGr), WM_KEYUP);
    EXPECT_EQ(keyUpMessage(VK_F10, kNone), WM_SYSKEYUP);
}

} // namespace
} // namespace q71
