#pragma once
// The periscope station's consoles: the periscope panel's face and controls (group "scope") and
// the stadimeter page's face and buttons (group "stadimtr").

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Draws the periscope panel's background and strips into group "scope".
void generatePeriscopeConsole(const Context& context);
/// Draws the stadimeter page's background and strips into group "stadimtr".
void generateStadimeterConsole(const Context& context);

} // namespace q71::mkdata
