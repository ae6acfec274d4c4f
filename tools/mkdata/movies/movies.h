#pragma once
// The movies of the data set: short sequences drawn by code with their sound, encoded by our
// movie encoder into the "Movies" folder.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Makes every movie the program plays; throws when one cannot be made.
void generateMovies(const Context& context);

} // namespace q71::mkdata
