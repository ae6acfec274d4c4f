#pragma once
// The 3-D art of the data set: every model with its descriptor, the textures and the sky
// backdrops, staged into the objects folder's groups "models" and "textures"
// (docs/render3d.md, "The data set's 3-D art").

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Stages the models, textures and skies; stops with the record's key and line when a model
/// named in data/objects.txt has no recipe. Runs before "archives".
void generateModels(const Context& context);

} // namespace q71::mkdata
