#pragma once
// Choosing the display backend at start-up: a real window, or none for automated runs.

#include "platform/display/display_backend.h"

#include <memory>
#include <string>

namespace q71 {

enum class DisplayKind { Window, Headless };

/// Headless when the environment variable Q71_DISPLAY is "headless", else a real window.
DisplayKind displayKindFromEnvironment();
/// Opens a backend of the kind; null, with the reason in `error`, when no window can be opened.
std::unique_ptr<DisplayBackend> displayOpen(DisplayKind kind, std::string& error);

} // namespace q71
