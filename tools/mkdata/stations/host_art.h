#pragma once
// The pictures of the in-mission host (group "geninfo": its right-hand column, its bottom bar, the
// station buttons, the pause button and the compression arrows; the message log's arrows and
// thumb in "shared") and of the plain state room (group "stateroom").

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: draws the host and stages it for the archives.
void generateHostArt(const Context& context);

} // namespace q71::mkdata
