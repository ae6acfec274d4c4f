#pragma once
// The program's own resources in the data set's folder "resources": the four cursors (104 the
// pointer, 155 and 156 the busy cursors of start-up and after, 159 the cross-hair) and bitmap
// 102, the ground of tool tips; and the interface font file that text 527 names.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: cursors, bitmap 102 and the font file.
void generateProgramResources(const Context& context);

} // namespace q71::mkdata
