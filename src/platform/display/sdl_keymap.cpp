#include "platform/display/sdl_keymap.h"

#include "platform/window/virtual_keys.h"

#include <SDL.h>

namespace q71 {
namespace {

struct KeyPair {
    std::int32_t sdl;
    std::uint8_t vk;
};

// clang-format off
constexpr KeyPair kBySymbol[] = {
    {SDLK_RETURN, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB},
    {SDLK_SPACE, VK_SPACE}, {SDLK_PAUSE, VK_PAUSE}, {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_PAGEUP, VK_PRIOR}, {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_END, VK_END}, {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT}, {SDLK_UP, VK_UP}, {SDLK_RIGHT, VK_RIGHT}, {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, VK_INSERT}, {SDLK_DELETE, VK_DELETE}, {SDLK_CLEAR, VK_CLEAR},
    {SDLK_LSHIFT, VK_LSHIFT}, {SDLK_RSHIFT, VK_RSHIFT}, {SDLK_LCTRL, VK_LCONTROL}, {SDLK_RCTRL, VK_RCONTROL},
    {SDLK_LALT, VK_LMENU}, {SDLK_RALT, VK_RMENU}, {SDLK_MODE, VK_RMENU},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK}, {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_PLUS, VK_ADD}, {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL}, {SDLK_KP_DIVIDE, VK_DIVIDE}, {SDLK_KP_ENTER, VK_RETURN},
    {';', VK_OEM_1}, {'=', VK_OEM_PLUS}, {',', VK_OEM_COMMA}, {'-', VK_OEM_MINUS}, {'.', VK_OEM_PERIOD},
    {'/', VK_OEM_2}, {'`', VK_OEM_3}, {'[', VK_OEM_4}, {'\\', VK_OEM_5}, {']', VK_OEM_6}, {'\'', VK_OEM_7},
};

constexpr KeyPair kByPlace[] = {
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1}, {SDL_SCANCODE_EQUALS, VK_OEM_PLUS}, {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS}, {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD}, {SDL_SCANCODE_SLASH, VK_OEM_2},
    {SDL_SCANCODE_GRAVE, VK_OEM_3}, {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4}, {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6}, {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
};
// clang-format on

std::uint8_t byPlace(int scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return static_cast<std::uint8_t>('A' + scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return static_cast<std::uint8_t>('1' + scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0)
        return '0';
    for (const KeyPair& k : kByPlace) {
        if (k.sdl == scancode)
            return k.vk;
    }
    return 0;
}

} // namespace

std::uint8_t virtualKeyFromSdl(std::int32_t keycode, int scancode) {
    if (keycode >= 'a' && keycode <= 'z')
        return static_cast<std::uint8_t>(keycode - 'a' + 'A');
    if (keycode >= '0' && keycode <= '9')
        return static_cast<std::uint8_t>(keycode);
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return static_cast<std::uint8_t>(VK_F1 + (keycode - SDLK_F1));
    if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9)
        return static_cast<std::uint8_t>(VK_NUMPAD0 + 1 + (keycode - SDLK_KP_1));
    if (keycode == SDLK_KP_0)
        return VK_NUMPAD0;
    for (const KeyPair& k : kBySymbol) {
        if (k.sdl == keycode)
            return k.vk;
    }
    return byPlace(scancode);
}

} // namespace q71
