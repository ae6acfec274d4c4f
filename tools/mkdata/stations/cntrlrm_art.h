#pragma once
// The pictures of the control room station (group "cntrlrm"): the console face round the 3-D view
// with the room's plan and the button column, the plan's marker dots, the nine station keys and
// the two arrows that walk round the viewpoints.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: draws the control room's art and stages it for the archives.
void generateControlRoomArt(const Context& context);

} // namespace q71::mkdata
