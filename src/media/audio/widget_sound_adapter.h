#pragma once
// The widgets' click sounds played by the sound manager: the program installs this with
// widgetSetSound at start-up.

#include "framework/widgets/widget_sound.h"

namespace q71 {

/// The widget sound that plays through the sound manager.
WidgetSound& soundManagerWidgetSound();

} // namespace q71
