// The data set's textures and skies: tiles meet across their edges, the sea loops, explosions stay
// clear at their edges while they grow and thin, the wake opens from its apex, and the skies hold
// the views' horizon colour on the rows where the backdrop offset puts the horizon.
#include "art_data_set.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace q71::test {
namespace {

class ArtTextures : public ArtDataSet {};

struct Texel {
    int red, green, blue, alpha;
};

Texel texelAt(const r3d::TextureRecord& t, int frame, int x, int y) {
    const std::uint8_t* p = t.frames[static_cast<std::size_t>(frame)].data() + (static_cast<std::size_t>(y) * t.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

int difference(Texel a, Texel b) {
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

// Colour steps between neighbouring columns (or rows): the largest inside the picture, and the
// one across its wrap.
struct Steps {
    double inside = 0.0, wrap = 0.0;
};
Steps steps(const r3d::TextureRecord& t, int frame, bool columns) {
    const int lines = columns ? t.width : t.height, length = columns ? t.height : t.width;
    auto at = [&](int line, int i) { return columns ? texelAt(t, frame, line, i) : texelAt(t, frame, i, line); };
    Steps s;
    for (int line = 0; line < lines; ++line) {
        double step = 0.0;
        for (int i = 0; i < length; ++i)
            step += difference(at(line, i), at((line + 1) % lines, i));
        step /= length;
        if (line + 1 < lines)
            s.inside = std::max(s.inside, step);
        else
            s.wrap = step;
    }
    return s;
}

TEST_F(ArtTextures, TilesMeetAcrossTheirEdgesAndTheSeaLoops) {
    for (const char* name : {"sea1.bmp", "sea2.bmp", "sea3.bmp", "sea4.bmp", "sea5.bmp", "coast.bmp", "land1.bmp",
                             "land2.bmp", "Rock06.bmp", "mud02.bmp", "sand01.bmp"}) {
        SCOPED_TRACE(name);
        const r3d::TextureRecord t = texture("textures", name);
        ASSERT_FALSE(t.frames.empty());
        for (int f = 0; f < static_cast<int>(t.frames.size()); ++f) {
            // A seam shows as a step beyond any the texture takes inside.
            const Steps across = steps(t, f, true), down = steps(t, f, false);
            EXPECT_LE(across.wrap, across.inside * 1.25 + 2.0) << "frame " << f;
            EXPECT_LE(down.wrap, down.inside * 1.25 + 2.0) << "frame " << f;
        }
    }
    for (int state = 1; state <= 5; ++state) {
        const r3d::TextureRecord sea = texture("textures", "sea" + std::to_string(state) + ".bmp");
        const int frames = static_cast<int>(sea.frames.size());
        ASSERT_GE(frames, 8);
        auto frameStep = [&](int a, int b) {
            double sum = 0.0;
            for (int y = 0; y < sea.height; ++y)
                for (int x = 0; x < sea.width; ++x)
                    sum += difference(texelAt(sea, a, x, y), texelAt(sea, b, x, y));
            return sum / (sea.width * sea.height);
        };
        double mean = 0.0;
        for (int f = 0; f + 1 < frames; ++f)
            mean += frameStep(f, f + 1) / (frames - 1);
        EXPECT_GT(mean, 1.0) << state; // it moves
        EXPECT_LE(frameStep(frames - 1, 0), mean * 1.5) << state; // and loops without a jump
    }
}

TEST_F(ArtTextures, TheSeaIsRougherWithTheSeaState) {
    // Whiter crests: the mean brightness rises with the state.
    auto foam = [&](int state) {
        const r3d::TextureRecord sea = texture("textures", "sea" + std::to_string(state) + ".bmp");
        double sum = 0.0;
        for (int y = 0; y < sea.height; ++y)
            for (int x = 0; x < sea.width; ++x) {
                const Texel t = texelAt(sea, 0, x, y);
                sum += t.red + t.green + t.blue;
            }
        return sum / (sea.width * sea.height);
    };
    for (int state = 1; state < 5; ++state)
        EXPECT_LT(foam(state), foam(state + 1)) << state;
}

TEST_F(ArtTextures, ExplosionsGrowThenThinAndStayClearAtTheirEdges) {
    std::vector<std::string> names;
    for (int n = 2; n <= 7; ++n)
        names.push_back("sboom" + std::to_string(n) + ".bmp");
    for (int n = 1; n <= 6; ++n)
        names.push_back("uboom" + std::to_string(n) + ".bmp");
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const r3d::TextureRecord t = texture("textures", name);
        ASSERT_EQ(t.frames.size(), 15u);
        std::vector<int> area, strength;
        for (int f = 0; f < 15; ++f) {
            int covered = 0, sum = 0;
            for (int y = 0; y < t.height; ++y)
                for (int x = 0; x < t.width; ++x) {
                    const int a = texelAt(t, f, x, y).alpha;
                    if (x == 0 || y == 0 || x == t.width - 1 || y == t.height - 1) {
                        ASSERT_EQ(a, 0) << "frame " << f << " at " << x << "," << y;
                    }
                    covered += a > 0;
                    sum += a;
                }
            area.push_back(covered);
            strength.push_back(sum);
        }
        EXPECT_LT(area[0], area[7]);
        EXPECT_LT(strength[14], strength[7] / 2);
        EXPECT_GT(strength[14], 0);
    }
}

TEST_F(ArtTextures, PuffsAreSoftAndTheWakeOpensFromItsApex) {
    for (const char* name : {"bubbles1.bmp", "bubbles2.bmp", "smoke.bmp"}) {
        const r3d::TextureRecord t = texture("textures", name);
        EXPECT_EQ(texelAt(t, 0, 0, 0).alpha, 0) << name;
        EXPECT_EQ(texelAt(t, 0, t.width - 1, t.height - 1).alpha, 0) << name;
    }
    EXPECT_GT(texelAt(texture("textures", "smoke.bmp"), 0, 16, 16).alpha, 128);

    const r3d::TextureRecord wake = texture("textures", "wake.bmp");
    // Apex at (u 0.5, v 0): the top row is foam only in its middle; half way down the foam lies
    // on two arms away from the middle.
    EXPECT_GT(texelAt(wake, 0, wake.width / 2, 0).alpha, 100);
    EXPECT_EQ(texelAt(wake, 0, 2, 0).alpha, 0);
    EXPECT_EQ(texelAt(wake, 0, wake.width - 3, 0).alpha, 0);
    const int row = wake.height / 2;
    int left = 0, right = 0;
    for (int x = 0; x < wake.width; ++x) {
        const int a = texelAt(wake, 0, x, row).alpha;
        if (x < wake.width / 2 - 6 && a > left)
            left = a;
        if (x > wake.width / 2 + 6 && a > right)
            right = a;
    }
    EXPECT_GT(left, 100);
    EXPECT_GT(right, 100);
}

// The views' horizon colour by sky variant and day phase (day, night, dusk).
constexpr float kHorizon[3][3][3] = {
    {{0.5f, 0.7f, 1.0f}, {0.09f, 0.09f, 0.29f}, {0.9f, 0.22f, 0.22f}},
    {{0.58f, 0.74f, 1.0f}, {0.09f, 0.13f, 0.26f}, {0.71f, 0.22f, 0.22f}},
    {{0.71f, 0.71f, 0.75f}, {0.09f, 0.13f, 0.22f}, {0.42f, 0.19f, 0.19f}},
};

// The backdrop row (counted up from the bottom row) under the horizon of a view H rows high at a
// zoom: the view shows at image row y the row (H - 1 - y) - offset, with offset -H/2 - trunc(2 zoom)
// - v - 2 and the horizon at image row H/2 + v.
int horizonRow(int viewHeight, double zoom) {
    const int v = 17; // any tilt
    const int y = viewHeight / 2 + v;
    const int offset = -viewHeight / 2 - static_cast<int>(2 * zoom) - v - 2;
    return (viewHeight - 1 - y) - offset;
}

TEST_F(ArtTextures, SkiesHoldTheHorizonColourWhereTheOpticSeesItsHorizon) {
    const char* phases[] = {"day", "night", "dusk"};
    for (int phase = 0; phase < 3; ++phase)
        for (int variant = 0; variant < 3; ++variant)
            for (bool magnified : {false, true}) {
                const std::string name =
                    phases[phase] + std::to_string(variant + 1) + (magnified ? "m" : "") + ".bmp";
                SCOPED_TRACE(name);
                const r3d::ImageRecord sky = ArtDataSet::sky(name);
                ASSERT_GE(sky.height, 600);
                ASSERT_EQ(sky.width & (sky.width - 1), 0); // tiles across whatever the turn
                // The optic, 300 rows: zoom 1 plain, 4, 8 and 16 magnified.
                std::vector<int> rows;
                if (magnified)
                    for (double zoom : {4.0, 8.0, 16.0})
                        rows.push_back(horizonRow(300, zoom));
                else
                    rows.push_back(horizonRow(300, 1.0));
                for (int row : rows) {
                    const int y = sky.height - 1 - row;
                    for (int x = 0; x < sky.width; x += 7)
                        for (int c = 0; c < 3; ++c) {
                            const int value = sky.rgb[(static_cast<std::size_t>(y) * sky.width + x) * 3 + c];
                            ASSERT_NEAR(value, kHorizon[variant][phase][c] * 255.0f, 3.0f) << "row " << row;
                        }
                }
                // Across the picture's wrap the colours meet.
                double wrap = 0.0, inside = 0.0;
                for (int y = 0; y < sky.height; ++y)
                    for (int c = 0; c < 3; ++c) {
                        auto at = [&](int x) { return sky.rgb[(static_cast<std::size_t>(y) * sky.width + x) * 3 + c]; };
                        wrap += std::abs(at(sky.width - 1) - at(0));
                        inside += std::abs(at(sky.width / 2) - at(sky.width / 2 + 1));
                    }
                EXPECT_LE(wrap, inside * 2.0 + sky.height);
                if (magnified) {
                    // A band of distant sea below the horizon, darker than it.
                    const int y = sky.height - 1 - 100;
                    int sum = 0;
                    for (int c = 0; c < 3; ++c)
                        sum += sky.rgb[(static_cast<std::size_t>(y) * sky.width) * 3 + c] -
                               static_cast<int>(kHorizon[variant][phase][c] * 255.0f);
                    EXPECT_LT(sum, -20);
                }
            }
}

} // namespace
} // namespace q71::test
