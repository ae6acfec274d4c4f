#include "platform/display/sdl_keymap.h"
#include "platform/window/virtual_keys.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

// SDL's key symbols are the layout's characters for printable keys and scan code | 1 << 30 for
// the others; its scan codes are USB usage numbers. Both are part of SDL's stable interface.
constexpr std::int32_t kSymbolF1 = 58 | (1 << 30);
constexpr std::int32_t kSymbolKeypadEnter = 88 | (1 << 30);
constexpr std::int32_t kSymbolLeftShift = 225 | (1 << 30);
constexpr int kScanA = 4, kScan2 = 31, kScanF1 = 58, kScanSemicolon = 51;

TEST(SdlKeymap, LettersDigitsAndNamedKeysFollowTheSymbol) {
    EXPECT_EQ(virtualKeyFromSdl('q', 20), 'Q');
    EXPECT_EQ(virtualKeyFromSdl('a', 20), 'A'); // an AZERTY 'a' where a US keyboard has 'q'
    EXPECT_EQ(virtualKeyFromSdl('7', 36), '7');
    EXPECT_EQ(virtualKeyFromSdl(kSymbolF1, kScanF1), VK_F1);
    EXPECT_EQ(virtualKeyFromSdl(kSymbolKeypadEnter, 88), VK_RETURN);
    EXPECT_EQ(virtualKeyFromSdl(kSymbolLeftShift, 225), VK_LSHIFT);
    EXPECT_EQ(virtualKeyFromSdl('\r', 40), VK_RETURN);
    EXPECT_EQ(virtualKeyFromSdl(27, 41), VK_ESCAPE);
    EXPECT_EQ(virtualKeyFromSdl(';', kScanSemicolon), VK_OEM_1);
}

TEST(SdlKeymap, SymbolsWithoutAVirtualKeyUseTheKeysPlace) {
    EXPECT_EQ(virtualKeyFromSdl(0xE9, kScan2), '2');              // 'é' on the French '2' key
    EXPECT_EQ(virtualKeyFromSdl('&', 30), '1');                   // '&' on the French '1' key
    EXPECT_EQ(virtualKeyFromSdl(0xF6, kScanSemicolon), VK_OEM_1); // 'ö' where US has ';'
    EXPECT_EQ(virtualKeyFromSdl(0x1234, kScanA), 'A');
    EXPECT_EQ(virtualKeyFromSdl(0x1234, 300), 0); // nothing the program knows
}

} // namespace
} // namespace q71
