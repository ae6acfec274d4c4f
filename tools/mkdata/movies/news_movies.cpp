// The campaign's news: a news desk with its headline, a picture of the events and a ticker,
// and the bulletin read by an anchor (espeak-ng in French). Each leg of the campaign has its
// news; its end has seven bulletins for each final rating, from a nuclear catastrophe (0) to
// peace (5). data/news.txt holds the bulletins of up to ten legs.
#include "mkdata/files.h"
#include "mkdata/movies/movie_list.h"
#include "mkdata/movies/movie_sounds.h"
#include "mkdata/movies/scene_parts.h"
#include "mkdata/sounds/sound_parts.h"
#include "mkdata/sounds/speech.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace q71::mkdata {

namespace {

constexpr int kRatings = 6;
constexpr int kVariants = 7;

struct Bulletin {
    char anchor = 'f';
    std::string headline;
    std::string words;
};

// Reads data/news.txt; throws "file:line: message" on any fault.
std::map<std::string, Bulletin> readBulletins(const std::filesystem::path& file) {
    std::map<std::string, Bulletin> bulletins;
    std::istringstream in(readSource(file));
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');)
            fields.push_back(field);
        auto fail = [&](const std::string& why) {
            throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": " + why);
        };
        if (fields.size() != 4)
            fail("expected movie, anchor, headline and words separated by tabs");
        if (fields[1] != "f" && fields[1] != "m")
            fail("the anchor is f or m");
        if (fields[2].empty() || fields[3].empty())
            fail("a bulletin needs a headline and words");
        if (!bulletins.emplace(fields[0], Bulletin{fields[1][0], fields[2], fields[3]}).second)
            fail(fields[0] + " is given twice");
    }
    return bulletins;
}

// The picture behind the news, by what happened: 0-1 a nuclear blast, 2 a burning fleet,
// 3-5 calmer and brighter seas; -1 for the news of a leg (a chart of the crisis).
void drawEvents(Canvas& c, int rating, std::uint32_t seed, double t) {
    if (rating < 0) {
        drawChart(c, seed);
        PointF at = chartPoint(c, seed, 0);
        for (int ring = 0; ring < 3; ++ring) {
            double phase = std::fmod(t * 0.8 + ring / 3.0, 1.0);
            c.ring(at, 4 + 40 * phase, 1.5, kRed, static_cast<float>(1 - phase));
        }
        return;
    }
    if (rating <= 1) {
        float flash = std::max(0.0f, 1 - static_cast<float>(t) / 1.5f);
        drawSkyAndSea(c, mixColour(rgb(40, 20, 30), rgb(250, 240, 220), flash), rgb(220, 110, 50), rgb(30, 20, 24), 170, t);
        double rise = std::min(1.0, t / 3);
        PointF cap{160, 150 - 70 * rise};
        c.polygon({{150, 170}, {170, 170}, {164, cap.y}, {156, cap.y}}, rgb(200, 110, 60), 0.9f); // the stem
        c.disc(cap, 18 + 26 * rise, rgb(220, 120, 60), 0.9f);
        c.glow(cap, 20 + 20 * rise, rgb(255, 200, 120), 0.8f);
        return;
    }
    if (rating == 2) {
        drawSkyAndSea(c, rgb(30, 28, 40), rgb(140, 70, 50), rgb(14, 22, 34), 150, t);
        for (int ship = 0; ship < 3; ++ship) {
            double x = 70 + ship * 90;
            c.polygon({{x - 26, 152}, {x + 26, 152}, {x + 20, 160}, {x - 22, 160}}, rgb(20, 20, 24));
            c.glow({x + 4, 146}, 6 + 2 * std::sin(t * 7 + ship), rgb(255, 140, 40), 1.2f);
        }
        return;
    }
    float calm = (rating - 3) / 2.0f;
    drawSkyAndSea(c, mixColour(rgb(40, 60, 110), rgb(90, 150, 210), calm), mixColour(rgb(210, 150, 110), rgb(240, 230, 200), calm),
                  rgb(20, 60, 100), 140, t);
    drawSubmarine(c, {170 + 4 * t, 146}, 150, 0, rgb(24, 28, 34));
}

// Breaks a headline into lines no wider than `width`.
std::vector<std::string> wrap(const MovieFont& font, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string line;
    for (std::string word; words >> word;) {
        std::string tried = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.width(tried) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = tried;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

MoviePlan newsMovie(const MovieContext& context, const std::string& name, int rating, std::uint32_t seed) {
    std::map<std::string, Bulletin> bulletins = readBulletins(context.source / "news.txt");
    auto found = bulletins.find(name);
    if (found == bulletins.end())
        throw std::runtime_error((context.source / "news.txt").string() + ": no bulletin for " + name);
    const Bulletin bulletin = found->second;

    SpeechVoice anchor{bulletin.anchor == 'f' ? "fr+f3" : "fr+m2", bulletin.anchor == 'f' ? 55 : 40, 150,
                       SpeechSound::intercom};
    Signal speech = speakWords(anchor, bulletin.words, context.scratch / (name + ".wav"));
    throughBroadcast(speech);
    const double speechStart = 0.7;
    const double seconds = std::max(4.0, speechStart + static_cast<double>(speech.size()) / kSoundRate + 0.6);

    MoviePlan plan;
    plan.name = name;
    plan.frames = static_cast<int>(seconds * kMovieRate);
    plan.form = FrameForm::Transform;
    plan.quantiser = 75;
    auto banner = std::make_shared<MovieFont>("Liberation Sans", 14, true);
    auto headline = std::make_shared<MovieFont>("Liberation Sans", 14, true);
    auto ticker = std::make_shared<MovieFont>("Liberation Sans", 12, true);
    const std::vector<std::string> lines = wrap(*headline, bulletin.headline, 104);
    const std::string tickerText = bulletin.headline + "   +++   " + bulletin.headline + "   +++   ";
    const double tickerWidth = ticker->width(tickerText) / 2;
    constexpr int kTickerSpeed = 2; // pixels a frame
    plan.draw = [=](Canvas& c, int n) {
        const double t = n / static_cast<double>(kMovieRate);
        Canvas events(196, 150);
        drawEvents(events, rating, seed, t);
        c.gradient(rgb(14, 24, 44), rgb(2, 4, 10), 0, c.height());
        c.polygon({{8, 44}, {208, 44}, {208, 198}, {8, 198}}, kDarkSteel); // the picture's frame
        c.place(events, 10, 46);
        c.polygon({{0, 8}, {320, 8}, {320, 30}, {0, 30}}, kRed);
        c.text(*banner, "FLASH INFO", 10, 25, Align::Left, kWhite);
        c.text(*banner, "VELM'S NEWS", 310, 25, Align::Right, kAmber);
        for (std::size_t i = 0; i < lines.size(); ++i)
            c.text(*headline, lines[i], 214, 62 + 20 * static_cast<double>(i), Align::Left, kWhite, ease(t / 0.5));
        c.polygon({{0, 214}, {320, 214}, {320, 234}, {0, 234}}, rgb(10, 14, 22));
        double shift = std::fmod(n * kTickerSpeed, tickerWidth);
        c.text(*ticker, tickerText, 320 - shift - tickerWidth, 229, Align::Left, kAmber);
        c.text(*ticker, tickerText, 320 - shift, 229, Align::Left, kAmber);
    };
    plan.motion = [](int) { return encoder::Motion{kTickerSpeed, 0}; };
    Noise noise(seedOf(name));
    plan.soundtrack.place(newsJingle(), 0, 0.5f);
    plan.soundtrack.place(speech, speechStart, 0.9f);
    plan.soundtrack.place(hiss(noise, seconds, 60, 300), 0, 0.015f); // the studio's air
    plan.soundtrack.normalise();
    return plan;
}

} // namespace

std::vector<MovieRecipe> newsMovies(const CampaignShape& campaign) {
    std::vector<MovieRecipe> recipes;
    for (int leg = 0; leg < campaign.legs; ++leg) // legs count from 0
        recipes.push_back([leg, set = campaign.set](const MovieContext& c) {
            return newsMovie(c, std::string("velms") + set + std::to_string(leg) + ".wve", -1,
                             static_cast<std::uint32_t>(leg * 53 + 5));
        });
    for (int rating = 0; rating < kRatings; ++rating)
        for (int variant = 0; variant < kVariants; ++variant)
            recipes.push_back([rating, variant](const MovieContext& c) {
                std::string name = "nuke" + std::to_string(rating) + static_cast<char>('a' + variant) + ".wve";
                return newsMovie(c, name, rating, static_cast<std::uint32_t>(rating * 11 + variant));
            });
    return recipes;
}

} // namespace q71::mkdata
