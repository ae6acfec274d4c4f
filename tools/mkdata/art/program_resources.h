#pragma once
// The program's own resources in the data set's folder "resources": the cursors (104 the pointer,
// 108 the hand of the control room, 144 the chart's zoom, 155 and 156 the busy cursors of start-up
// and after, 159 the cross-hair), the pattern bitmaps (102 the ground of tool tips, 103 of the
// plot menus, 106 of the message log, 152 of the contact selector).

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: cursors and bitmaps.
void generateProgramResources(const Context& context);

} // namespace q71::mkdata
