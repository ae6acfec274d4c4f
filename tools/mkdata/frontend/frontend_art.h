#pragma once
// The pictures of the front end's first screens: the logo, the login, the main menu with its
// buttons and the credits, each screen's in a group archive of its own.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: draws the screens and stages them for the archives.
void generateFrontEndArt(const Context& context);

} // namespace q71::mkdata
