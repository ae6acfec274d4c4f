#pragma once
// The recipes of the data set's 3-D models: one per model name, each building the model from
// the size its object record gives (scene units, 1 = 10 m; 0 where the record gives none, and
// the recipe then picks its own). Conventions (docs/render3d.md): bow along +Z, up +Y, port +X,
// waterline at y = 0; animated parts are children tagged as the records say, pivoting at their
// origin.

#include "render3d/format.h"

#include <span>
#include <string_view>

namespace q71::mkdata {

struct ModelSize {
    float length = 0.0f; ///< along Z
    float beam = 0.0f;   ///< across X
    float height = 0.0f; ///< the whole height (keel to top) of everything but ships
    float mast = 0.0f;   ///< the masthead above the waterline; 0 for none
};

struct ModelRecipe {
    const char* name;
    r3d::ClumpRecord (*make)(const ModelSize& size);
    /// The record whose size the model takes when it is not its own (the own boat's masts).
    const char* sizeOf = nullptr;
};

std::span<const ModelRecipe> submarineRecipes();
std::span<const ModelRecipe> shipRecipes();
std::span<const ModelRecipe> craftRecipes();   ///< aircraft, missiles, torpedoes
std::span<const ModelRecipe> objectRecipes();  ///< mines, buoys, rocks, people, wrecks, the rig
std::span<const ModelRecipe> ownBoatRecipes(); ///< the own boat's masts
std::span<const ModelRecipe> dialRecipes();    ///< dial pointers and the helm wheel
std::span<const ModelRecipe> roomRecipes();    ///< the control room and its bare stand-in

/// The recipe of a model name (compared without regard to case), or null.
const ModelRecipe* findModelRecipe(std::string_view name);

/// The size given, or, when the record gives none, the one in feet.
ModelSize sizeOr(const ModelSize& given, float lengthFeet, float beamFeet, float heightFeet);

/// Scene units of a length in feet and in yards.
constexpr float feet(float f) { return f * 0.03048f; }
constexpr float yards(float y) { return y * 0.09144f; }

} // namespace q71::mkdata
