#pragma once
// The movies of the data set, each a function that makes its plan (scene, sound and
// coding); the generator runs them side by side.

#include "mkdata/movies/movie_maker.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace q71::mkdata {

/// What a movie's plan may need: where to read texts and to write scratch files.
struct MovieContext {
    std::filesystem::path source;
    std::filesystem::path scratch;
};

/// The campaign of the data set, as far as its movies go: its set letter, legs and missions.
struct CampaignShape {
    char set = 'a';
    int legs = 0;
    int missions = 0;
};

/// Reads the shape of the campaign file the scenarios generator wrote; throws when it is missing
/// or damaged.
CampaignShape readCampaignShape(const std::filesystem::path& campaignFile);

using MovieRecipe = std::function<MoviePlan(const MovieContext&)>;

/// The intro's company logo ("Velms.wve") and title ("Openfade.wve").
std::vector<MovieRecipe> introMovies();
/// The own boat's loss ("death.wve") and the campaign's victory ("victory.wve").
std::vector<MovieRecipe> endMovies();
/// The briefing and report movies of every mission of the campaign ("a1a.ndy", "a1b.ndy", ...).
std::vector<MovieRecipe> campaignMovies(const CampaignShape& campaign);
/// The news of each campaign leg ("velmsa0.wve" ...) and of its end by rating ("nuke0a.wve" ...).
std::vector<MovieRecipe> newsMovies(const CampaignShape& campaign);

} // namespace q71::mkdata
