#pragma once
// Dialog templates: a dialog's caption, style, size and font, and its controls with their
// class, id, text, style and rectangle, in dialog units of the template's font (a quarter of its
// average character width across, an eighth of its height down). The templates are a table in
// the program, found by the dialog's id.

#include <cstdint>
#include <span>
#include <string_view>

namespace q71 {

// clang-format off
// Dialog styles.
constexpr std::uint32_t DS_MODALFRAME = 0x0080;
constexpr std::uint32_t DS_CENTER     = 0x0800; // in the middle of the owner's window, wherever x and y say
// clang-format on

struct DialogItemTemplate {
    std::string_view className; ///< "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX" or any registered class
    std::string_view text;      ///< Windows-1252
    std::uint16_t id = 0;
    std::uint32_t style = 0; ///< WS_CHILD is implied; without WS_VISIBLE the control starts hidden
    int x = 0, y = 0, width = 0, height = 0;
};

struct DialogTemplate {
    int id = 0;
    std::uint32_t style = 0;                 ///< WS_POPUP is implied; WS_CAPTION adds a caption band
    int x = 0, y = 0, width = 0, height = 0; ///< the inside, in dialog units
    std::string_view caption;
    std::string_view fontFace;
    int pointSize = 0;
    std::span<const DialogItemTemplate> items;
};

/// The template of a dialog id, or null when the program has none.
const DialogTemplate* dialogTemplateFind(int id);

} // namespace q71
