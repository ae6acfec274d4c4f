#pragma once
// The data set's font file (the one text 527 names): strikes of the interface faces (texts 528,
// 529, 530 and 532) at the small sizes the program draws them in, drawn pixel by pixel for their
// size from the installed hand-drawn bitmap fonts and mended by hand (data/fonts/) where a glyph
// would be misread; beside it, the copyright and permission notices of the fonts drawn from.
// Larger sizes keep the outlines of the same face names.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// The generator: the strike file.
void generateInterfaceStrikes(const Context& context);

} // namespace q71::mkdata
