#pragma once
// The shared strips of the toolkit's fields and readouts, in the "shared" group of the graphics
// archives: the spin buttons' arrows ("upcrt.bmp", "dncrt.bmp": up and pressed, 10 by 10), the
// pull-down lists' drop button ("pulldwn2.bmp", 13 by 13: up, pressed, disabled) and the
// digit drums ("smallnum.bmp" 10 by 10, "numerals.bmp" 13 by 13: the digits 0-9 and a blank, lit
// in amber, then the same eleven unlit).

#include "mkdata/generator.h"
#include "mkdata/movies/canvas.h"

#include <vector>

namespace q71::mkdata {

/// The up and pressed frames of a small steel arrow button pointing up or down.
std::vector<Canvas> arrowButtonFrames(int size, bool up);
enum class ArrowDirection { Up, Down, Left, Right };
/// The same, pointing any of the four ways.
std::vector<Canvas> arrowButtonFrames(int size, ArrowDirection direction);
/// The up, pressed and disabled (dimmed) frames of a pull-down list's drop button.
std::vector<Canvas> dropButtonFrames(int width, int height);
/// The 22 frames of a digit strip of square cells: 0-9 and blank lit, then unlit.
std::vector<Canvas> digitFrames(int size);

/// The generator: stages the five strips.
void generateFieldStrips(const Context& context);

} // namespace q71::mkdata
