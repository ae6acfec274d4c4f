#pragma once
// The periscope's pictures (group "scope"): the sea water that runs over the optic while its
// head is awash and runs off after.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: paints the five washes and stages them for the archives.
void generateScopeArt(const Context& context);

} // namespace q71::mkdata
