#pragma once
// The scenarios and campaigns of the data set, written into the "Scenario" folder from the
// definitions in data/scenarios/.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Checks every definition (names, numbering, objects, terrain) and writes the ".scn" and
/// ".cdf" files.
void generateScenarios(const Context& context);

} // namespace q71::mkdata
