#include "mkdata/models/recipes.h"

#include <algorithm>
#include <cctype>

namespace q71::mkdata {

ModelSize sizeOr(const ModelSize& given, float lengthFeet, float beamFeet, float heightFeet) {
    if (given.length > 0.0f)
        return given;
    return {feet(lengthFeet), feet(beamFeet), feet(heightFeet), given.mast};
}

const ModelRecipe* findModelRecipe(std::string_view name) {
    const auto same = [name](std::string_view other) {
        return std::ranges::equal(name, other, [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    for (auto list : {submarineRecipes(), shipRecipes(), craftRecipes(), objectRecipes(), ownBoatRecipes(), dialRecipes(),
                  roomRecipes()})
        for (const ModelRecipe& r : list)
            if (same(r.name))
                return &r;
    return nullptr;
}

} // namespace q71::mkdata
