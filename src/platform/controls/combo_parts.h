#pragma once
// How a combo box marks the windows it is built from: its edit field is created with this
// createParam, so the field hands the combo box the keys that work its list; its drop-down
// list, of the class "ComboLBox", is created with the combo box as createParam and serves it:
// it reports to the combo box and draws its items as the combo box's.

#include "platform/window/window_types.h"

namespace q71 {

/// The createParam of a combo box's drop-down list.
struct ComboListLink {
    WindowHandle combo{};
};

/// The createParam of a combo box's edit field (only its address counts).
inline constexpr char kComboEditTag = 0;

/// The id of a combo box's edit field and of its drop-down list.
constexpr unsigned kComboEditId = 1001;
constexpr unsigned kComboListId = 1000;

} // namespace q71
