#pragma once
// The movies of the data set, each a function that makes its specification (scene, sound and
// coding); the generator runs them side by side.

#include "mkdata/movies/movie_maker.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace q71::mkdata {

/// What a movie's specification may need: where to read texts and to write scratch files.
struct MovieContext {
    std::filesystem::path source;
    std::filesystem::path scratch;
};

using MovieRecipe = std::function<MovieSpec(const MovieContext&)>;

/// The intro's company logo ("Velms.wve") and title ("Openfade.wve").
std::vector<MovieRecipe> introMovies();
/// The own boat's loss ("death.wve") and the campaign's victory ("victory.wve").
std::vector<MovieRecipe> endMovies();
/// The briefing and outcome movies of every mission of the campaign ("a1a.ndy" ... "a20b.ndy").
std::vector<MovieRecipe> campaignMovies();
/// The news of each campaign leg ("velmsa0.wve" ...) and of its end by rating ("nuke0a.wve" ...).
std::vector<MovieRecipe> newsMovies();

} // namespace q71::mkdata
