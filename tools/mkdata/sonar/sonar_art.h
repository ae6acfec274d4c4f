#pragma once
// The sonar suite's pictures: each page's console face and the strips of its controls, in the
// page's group of the graphics folder, at the places and sizes the pages' tables give; and the
// five page buttons in every sonar group.

#include "mkdata/generator.h"

namespace q71::mkdata {

void generateSonarArt(const Context& context);

} // namespace q71::mkdata
