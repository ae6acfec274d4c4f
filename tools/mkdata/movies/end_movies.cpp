// The end of the own boat (a torpedo's hit, the hull breaking, the wreck going down into the
// dark) and the end of a won campaign (the boat surfacing at dawn to a fanfare).
#include "mkdata/movies/movie_list.h"
#include "mkdata/movies/movie_sounds.h"
#include "mkdata/movies/scene_parts.h"
#include "mkdata/sounds/sound_parts.h"

#include <algorithm>
#include <cmath>

namespace q71::mkdata {

namespace {

constexpr double kHit = 1.8; // seconds into the death movie

// The camera shakes after the hit, less and less: its offset at frame n, in whole pixels.
PointF shake(int n) {
    double t = n / static_cast<double>(kMovieRate) - kHit;
    if (t < 0)
        return {};
    double amount = 6 * std::exp(-t * 1.2);
    return {std::round(amount * std::sin(n * 2.3)), std::round(amount * std::cos(n * 1.7))};
}

MoviePlan death(const MovieContext&) {
    MoviePlan plan;
    plan.name = "death.wve";
    plan.frames = 78;
    plan.form = FrameForm::Transform;
    plan.quantiser = 75;
    plan.draw = [](Canvas& c, int n) {
        const double t = n / static_cast<double>(kMovieRate);
        PointF s = shake(n);
        drawUnderwater(c, t, 1.0f);
        if (t < kHit) { // the torpedo closes in from the right, its wake behind it
            double x = 330 - (330 - 200) * (t / kHit);
            c.line({x, 132}, {x + 16, 132}, 5, rgb(24, 26, 30));
            drawBubbles(c, {x + 20, 134}, 0, t, 18, 3);
        }
        double sink = t > kHit ? (t - kHit) * (t - kHit) * 9 : 0;
        double tilt = t > kHit ? std::min(0.5, (t - kHit) * 0.18) : 0;
        drawSubmarine(c, {150 + s.x, 120 + s.y + sink}, 210, tilt, rgb(34, 40, 48));
        if (t >= kHit) {
            double age = t - kHit;
            c.glow({200 + s.x, 126 + s.y}, 18 + 40 * age, rgb(255, 230, 170), 2.5f * std::max(0.0f, 1 - static_cast<float>(age) / 0.7f));
            drawBubbles(c, {200 + s.x, 130 + s.y + sink}, kHit, t, 90, 11);
        }
        c.darken(1 - ease((t - 3.6) / 1.5)); // down into the dark
    };
    plan.motion = [](int n) {
        PointF now = shake(n), before = n > 0 ? shake(n - 1) : PointF{};
        return encoder::Motion{static_cast<int>(before.x - now.x), static_cast<int>(before.y - now.y)};
    };
    Noise noise(seedOf(plan.name));
    plan.soundtrack.place(torpedoRun(noise, kHit), 0, 0.45f, 0.6f);
    plan.soundtrack.place(hullExplosion(noise), kHit, 1.0f);
    plan.soundtrack.place(metal(55, {1.0, 1.33, 2.1}, 1.5, 2.5), 3.0, 0.35f, -0.4f);
    plan.soundtrack.normalise();
    return plan;
}

MoviePlan victory(const MovieContext&) {
    MoviePlan plan;
    plan.name = "victory.wve";
    plan.frames = 80;
    plan.form = FrameForm::Intra;
    plan.quantiser = 80;
    auto title = std::make_shared<MovieFont>("Liberation Serif", 24, true);
    plan.draw = [=](Canvas& c, int n) {
        const double t = n / static_cast<double>(kMovieRate);
        float dawn = ease(t / 4);
        drawSkyAndSea(c, mixColour(rgb(20, 30, 70), rgb(80, 120, 180), dawn),
                      mixColour(rgb(200, 110, 70), rgb(250, 200, 140), dawn), rgb(16, 46, 80), 140, t);
        c.glow({40, 140 - 20 * dawn}, 12, rgb(255, 210, 140), 0.9f); // the sun, clear of the boat
        double rise = 14 * (1 - ease(t / 2.5)); // the boat comes up, water running off it
        drawSubmarine(c, {175, 146 + rise}, 190, -0.02, rgb(20, 24, 30));
        if (t > 1.5)
            drawBubbles(c, {175, 150}, 1.5, std::min(t, 3.0), 20, 5);
        c.line({200, 120 + rise}, {200, 96 + rise}, 1.5, rgb(40, 40, 44)); // the mast and its pennant
        double flutter = 3 * std::sin(t * 6);
        c.polygon({{200, 96 + rise}, {226, 100 + rise + flutter}, {200, 104 + rise}}, kRed);
        c.text(*title, "MISSION ACCOMPLIE", 160, 60, Align::Centre, kWhite, ease((t - 2.6) / 1.0));
    };
    Noise noise(seedOf(plan.name));
    plan.soundtrack.place(seaWash(noise, 5.6), 0, 0.4f);
    plan.soundtrack.place(brassChord({261.6, 329.6, 392.0}, 1.0), 2.4, 0.6f, -0.2f);
    plan.soundtrack.place(brassChord({349.2, 440.0, 523.3}, 0.6), 3.35, 0.6f, 0.0f);
    plan.soundtrack.place(brassChord({392.0, 493.9, 587.3}, 0.6), 3.9, 0.6f, 0.1f);
    plan.soundtrack.place(brassChord({261.6, 329.6, 392.0, 523.3}, 1.6), 4.45, 0.7f, 0.0f);
    plan.soundtrack.normalise();
    return plan;
}

} // namespace

std::vector<MovieRecipe> endMovies() { return {death, victory}; }

} // namespace q71::mkdata
