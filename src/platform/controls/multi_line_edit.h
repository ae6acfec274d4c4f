#pragma once
// The edit control's multi-line kind (ES_MULTILINE), for the standard "EDIT" class.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

LResult multiLineEditProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

} // namespace q71
