// The intro: the company's emblem drawn in brass on navy with a sonar ping, then the game's
// title fading in over a submarine at dusk.
#include "mkdata/movies/movie_list.h"
#include "mkdata/movies/movie_sounds.h"
#include "mkdata/movies/scene_parts.h"

#include <algorithm>
#include <cmath>

namespace q71::mkdata {

namespace {

MoviePlan velms(const MovieContext&) {
    MoviePlan plan;
    plan.name = "Velms.wve";
    plan.frames = 66;
    plan.form = FrameForm::Palettised;
    plan.palette = blendedPalette({kNavy}, {kAmber, kSteel, kWhite, rgb(90, 200, 220), rgb(30, 48, 80)}, 5, {},
                                  plan.colours);
    auto title = std::make_shared<MovieFont>("Liberation Serif", 34, true);
    auto subtitle = std::make_shared<MovieFont>("Liberation Sans", 13, true);
    const PointF centre{160, 96};
    plan.draw = [=](Canvas& c, int n) {
        const double t = n / static_cast<double>(kMovieRate);
        c.fill(kNavy);
        // The sonar ping spreads from the emblem and fades.
        if (t > 2.6) {
            double age = t - 2.6;
            c.ring(centre, 60 + age * 120, 2, rgb(90, 200, 220), std::max(0.0f, 1 - static_cast<float>(age) / 1.4f));
        }
        c.ring(centre, 64, 1.5, rgb(30, 48, 80)); // the bezel
        c.arc(centre, 58, 3, 0, 2 * M_PI * ease(t / 1.2), kAmber);
        double cross = 54 * ease((t - 0.6) / 1.0);
        c.line({centre.x - cross, centre.y}, {centre.x + cross, centre.y}, 1.5, kAmber);
        c.line({centre.x, centre.y - cross}, {centre.x, centre.y + cross}, 1.5, kAmber);
        if (t > 1.2) { // the boat glides in under the crosshair
            double x = centre.x - 150 * std::pow(1 - ease((t - 1.2) / 0.9), 2);
            drawSubmarine(c, {x, centre.y + 14}, 88, 0, kSteel);
        }
        if (t > 1.8) {
            float a = ease((t - 1.8) / 0.6);
            c.text(*title, "VELM'S", 160, 196, Align::Centre, kWhite, a);
            c.text(*subtitle, "COMBAT  SIMULATIONS", 160, 218, Align::Centre, kAmber, ease((t - 2.2) / 0.6));
        }
    };
    plan.soundtrack.place(drone(4.6, 55, 1.5), 0, 0.5f);
    plan.soundtrack.place(moviePing(), 2.6, 0.7f, -0.2f);
    plan.soundtrack.place(moviePing(), 2.75, 0.25f, 0.4f); // its echo off the far side
    plan.soundtrack.normalise();
    return plan;
}

MoviePlan openfade(const MovieContext&) {
    MoviePlan plan;
    plan.name = "Openfade.wve";
    plan.frames = 75;
    plan.form = FrameForm::StudioIntra;
    plan.quantiser = 70;
    auto title = std::make_shared<MovieFont>("Liberation Serif", 28, true);
    auto subtitle = std::make_shared<MovieFont>("Liberation Sans", 12, false);
    plan.draw = [=](Canvas& c, int n) {
        const double t = n / static_cast<double>(kMovieRate);
        drawSkyAndSea(c, rgb(16, 22, 58), rgb(236, 128, 64), rgb(10, 30, 60), 150, t);
        c.glow({236, 150}, 16, rgb(255, 170, 90), 0.9f); // the sun on the horizon
        drawSubmarine(c, {120 + 6 * t, 152}, 150, 0, rgb(12, 14, 20));
        float titleIn = ease((t - 1.6) / 1.4);
        c.text(*title, "VARDEN-MORROW", 160, 70, Align::Centre, kWhite, titleIn);
        c.text(*subtitle, "SIMULATION DE SOUS-MARIN D'ATTAQUE", 160, 92, Align::Centre, kAmber, titleIn);
        c.darken(ease(t / 2.0)); // out of black
    };
    Noise noise(seedOf(plan.name));
    plan.soundtrack.place(seaWash(noise, 5.2), 0, 0.5f);
    plan.soundtrack.place(pad({110, 164.8, 220, 277.2}, 5.2), 0, 0.35f);
    plan.soundtrack.place(moviePing(), 2.8, 0.35f, 0.3f);
    plan.soundtrack.normalise();
    return plan;
}

} // namespace

std::vector<MovieRecipe> introMovies() { return {velms, openfade}; }

} // namespace q71::mkdata
