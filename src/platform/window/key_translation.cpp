#include "platform/window/key_translation.h"

#include "platform/window/message_ids.h"
#include "platform/window/virtual_keys.h"

namespace q71 {
namespace {

// Alt without Ctrl makes system keys; Ctrl+Alt is the AltGr of European keyboards and is not.
bool isSystemKey(std::uint32_t virtualKey, KeyModifiers m) {
    return (m.alt && !m.control) || virtualKey == VK_F10;
}

// The keys that give a character by rule rather than by layout.
int ruleCharacter(std::uint32_t virtualKey, KeyModifiers m) {
    switch (virtualKey) {
    case VK_ESCAPE:
        return 27;
    case VK_RETURN:
        return m.control ? 10 : 13;
    case VK_BACK:
        return m.control ? 0x7F : 8;
    case VK_TAB:
        return m.control ? -1 : 9;
    default:
        break;
    }
    if (m.control && !m.alt && virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<int>(virtualKey - 'A' + 1);
    return -1;
}

} // namespace

TranslatedKey keyTranslate(std::uint32_t virtualKey, KeyModifiers modifiers, int layoutCharacter, bool dead) {
    bool system = isSystemKey(virtualKey, modifiers);
    TranslatedKey out{system ? WM_SYSKEYDOWN : WM_KEYDOWN};
    if (dead && layoutCharacter > 0) {
        out.charMessage = system ? WM_SYSDEADCHAR : WM_DEADCHAR;
        out.character = static_cast<std::uint32_t>(layoutCharacter);
        return out;
    }
    int character = ruleCharacter(virtualKey, modifiers);
    // Ctrl alone makes no character of other keys; AltGr (Ctrl+Alt) and Alt keep the layout's.
    if (character < 0 && !(modifiers.control && !modifiers.alt))
        character = layoutCharacter;
    if (character < 0 || virtualKey == VK_F10)
        return out;
    out.charMessage = system ? WM_SYSCHAR : WM_CHAR;
    out.character = static_cast<std::uint32_t>(character);
    return out;
}

std::uint32_t keyUpMessage(std::uint32_t virtualKey, KeyModifiers modifiers) {
    return isSystemKey(virtualKey, modifiers) ? WM_SYSKEYUP : WM_KEYUP;
}

} // namespace q71
