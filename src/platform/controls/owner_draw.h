#pragma once
// What owner-drawn list boxes and combo boxes tell their parent: WM_MEASUREITEM asks an item's
// height, WM_DRAWITEM asks for an item to be drawn, WM_DELETEITEM says an item is gone. Each
// carries the control's id in wParam and one of these records in lParam.

#include "platform/geometry/rect.h"
#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

class DeviceContext;

// clang-format off
// Kinds of control.
constexpr std::uint32_t ODT_LISTBOX  = 2;
constexpr std::uint32_t ODT_COMBOBOX = 3;
// Why an item is drawn.
constexpr std::uint32_t ODA_DRAWENTIRE = 0x0001;
constexpr std::uint32_t ODA_SELECT     = 0x0002;
constexpr std::uint32_t ODA_FOCUS      = 0x0004;
// The state of an item being drawn.
constexpr std::uint32_t ODS_SELECTED     = 0x0001;
constexpr std::uint32_t ODS_DISABLED     = 0x0004;
constexpr std::uint32_t ODS_FOCUS        = 0x0010;
constexpr std::uint32_t ODS_COMBOBOXEDIT = 0x1000; // the selection field of a drop-down list
// clang-format on

struct MeasureItemStruct {
    std::uint32_t controlType = 0;
    std::uint32_t controlId = 0;
    int itemId = 0; ///< -1: the selection field of a combo box
    int itemWidth = 0;
    int itemHeight = 0; ///< holds the control's own choice; the parent may change it
    LParam itemData = 0;
};

struct DrawItemStruct {
    std::uint32_t controlType = 0;
    std::uint32_t controlId = 0;
    int itemId = 0;
    std::uint32_t itemAction = 0;
    std::uint32_t itemState = 0;
    WindowHandle control{};
    DeviceContext* dc = nullptr; ///< the control's paint context, clipped to its items
    Rect item;                   ///< in the control's client coordinates
    LParam itemData = 0;
};

struct DeleteItemStruct {
    std::uint32_t controlType = 0;
    std::uint32_t controlId = 0;
    int itemId = 0;
    WindowHandle control{};
    LParam itemData = 0;
};

} // namespace q71
