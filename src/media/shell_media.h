#pragma once
// Audio and movies as the shell reaches them: music, sound effects with the crew's speech, and
// the movie player, which owns the display the program's screen is opened through.

#include "framework/app/app_services.h"

namespace q71 {

/// The media services for the shell.
AppMedia& mediaShellServices();

} // namespace q71
