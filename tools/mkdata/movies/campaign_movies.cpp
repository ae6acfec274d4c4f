// The campaign's mission movies: before a mission ("a", its briefing), the chart of its sea
// with the route to the objective drawn out; after it ("b", its report), the objective struck
// and crossed off.
#include "mkdata/movies/movie_list.h"
#include "mkdata/movies/movie_sounds.h"
#include "mkdata/movies/scene_parts.h"
#include "mkdata/sounds/sound_parts.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace q71::mkdata {

namespace {

MoviePlan missionMovie(char set, int mission, bool briefing) {
    MoviePlan plan;
    plan.name = set + std::to_string(mission) + (briefing ? "a" : "b") + ".ndy";
    plan.frames = 48;
    plan.form = FrameForm::Palettised;
    plan.sound = encoder::SoundForm::Steps;
    plan.palette = blendedPalette({kChartBlue, kShelf, kSand, kNavy}, {kWhite, kAmber, kRed, kPhosphor}, 4,
                                  {mixColour(kChartBlue, kShelf, 0.6f)}, plan.colours);
    auto heading = std::make_shared<MovieFont>("Liberation Sans", 15, true);
    auto label = std::make_shared<MovieFont>("Liberation Sans", 11, true);
    const auto seed = static_cast<std::uint32_t>(mission * 97 + 13);
    plan.draw = [=](Canvas& c, int n) {
        const double t = n / static_cast<double>(kMovieRate);
        drawChart(c, seed);
        PointF from = chartPoint(c, seed, 0), to = chartPoint(c, seed, 1);
        float drawn = briefing ? ease((t - 0.3) / 2.0) : 1.0f;
        PointF end{from.x + (to.x - from.x) * drawn, from.y + (to.y - from.y) * drawn};
        c.line(from, end, 2, kAmber);
        c.ring(from, 5, 2, kPhosphor);
        bool struck = !briefing && t > 0.8;
        if (!struck || n % 4 < 2) { // the objective blinks until it is struck
            c.polygon({{to.x, to.y - 7}, {to.x + 7, to.y}, {to.x, to.y + 7}, {to.x - 7, to.y}}, kRed);
        }
        if (struck) {
            double age = t - 0.8;
            for (int ring = 0; ring < 3; ++ring)
                if (age > ring * 0.25)
                    c.ring(to, 6 + (age - ring * 0.25) * 30, 1.5, kRed, std::max(0.0f, 1 - static_cast<float>(age) / 2.5f));
            c.line({to.x - 10, to.y - 10}, {to.x + 10, to.y + 10}, 3, kWhite, ease((age - 0.6) / 0.4));
            c.line({to.x - 10, to.y + 10}, {to.x + 10, to.y - 10}, 3, kWhite, ease((age - 0.6) / 0.4));
        }
        c.polygon({{0, 0}, {172, 0}, {172, 42}, {0, 42}}, kNavy, 0.9f);
        c.text(*heading, "MISSION " + std::to_string(mission), 10, 19, Align::Left, kWhite);
        c.text(*label, briefing ? "BRIEFING DE MISSION" : "COMPTE RENDU", 10, 35, Align::Left, kAmber);
    };
    Noise noise(seedOf(plan.name));
    plan.soundtrack.place(teletype(noise, 2.4), 0.1, 0.35f, -0.3f);
    if (briefing)
        plan.soundtrack.place(moviePing(), 0.2, 0.45f, 0.2f);
    else
        plan.soundtrack.place(thump(60, 0.6), 0.8, 0.9f, 0.2f);
    plan.soundtrack.normalise();
    return plan;
}

} // namespace

std::vector<MovieRecipe> campaignMovies(const CampaignShape& campaign) {
    std::vector<MovieRecipe> recipes;
    for (int mission = 1; mission <= campaign.missions; ++mission) // named by the mission's index + 1
        for (bool briefing : {true, false})
            recipes.push_back([=](const MovieContext&) { return missionMovie(campaign.set, mission, briefing); });
    return recipes;
}

} // namespace q71::mkdata
