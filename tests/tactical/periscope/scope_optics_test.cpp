// The optic's arithmetic: readouts, training by drag, the wash's frames and its blend.
#include "tactical/periscope/scope_optics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace q71::test {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;

TEST(ScopeReadouts, BearingElevationAndMagnificationTexts) {
    struct Bearing {
        double heading, relative;
        const char* text;
    };
    for (const Bearing& b : {Bearing{0, 359.6, "000"}, Bearing{0, 0.4, "000"}, Bearing{90, 0, "090"},
                             Bearing{350, 20, "010"}, Bearing{0, 359.4, "359"}, Bearing{-400, 0, "320"}, Bearing{-90, 0, "270"}})
        EXPECT_EQ(scopeBearingText(b.heading, b.relative * kRad), b.text) << b.heading << " " << b.relative;
    struct Elevation {
        double degrees;
        const char* text;
    };
    for (const Elevation& e : {Elevation{-0.4, "+0"}, Elevation{0.6, "+1"}, Elevation{10.0, "+10"},
                               Elevation{-10.6, "-10"}, Elevation{-20.0, "-19"}, Elevation{34.9, "+35"}})
        EXPECT_EQ(scopeElevationText(e.degrees * kRad), e.text) << e.degrees;
    EXPECT_EQ(scopeMagnificationText(1.0), "1.5x");
    EXPECT_EQ(scopeMagnificationText(4.0), "6.0x");
    EXPECT_EQ(scopeMagnificationText(8.0), "12.0x");
    EXPECT_EQ(scopeMagnificationText(16.0), "24.0x");
}

TEST(ScopeTraining, APixelIsOneDegreeOverTheZoomWithWrapAndLimits) {
    for (double zoom : {1.0, 4.0, 8.0, 16.0}) {
        const ScopeAngles a = scopeTrainBy({1.0f, 0.0f}, 8, -4, zoom);
        EXPECT_NEAR(a.bearing, 1.0 + 8.0 / zoom * kRad, 1e-5) << zoom;
        EXPECT_NEAR(a.elevation, -4.0 / zoom * kRad, 1e-5) << zoom;
    }
    // Past north both ways.
    EXPECT_NEAR(scopeTrainBy({static_cast<float>(359.5 * kRad), 0.0f}, 1, 0, 1.0).bearing, 0.5 * kRad, 1e-5);
    EXPECT_NEAR(scopeTrainBy({static_cast<float>(0.5 * kRad), 0.0f}, -1, 0, 1.0).bearing, 359.5 * kRad, 1e-5);
    // Tilt stops at its limits.
    EXPECT_FLOAT_EQ(scopeTrainBy({0.0f, 0.5f}, 0, 100, 1.0).elevation, 0.61f);
    EXPECT_FLOAT_EQ(scopeTrainBy({0.0f, -0.3f}, 0, -100, 1.0).elevation, -0.35f);
}

TEST(ScopeWash, AwashCyclesTheHeavyImagesThenSevenFadeFramesEndIt) {
    WashState w;
    EXPECT_EQ(w.beginFrame(false), 0);
    EXPECT_FALSE(w.washing);
    std::vector<int> images;
    for (int i = 0; i < 4; ++i) {
        images.push_back(w.beginFrame(true));
        EXPECT_TRUE(w.washing);
        EXPECT_EQ(w.level, 5);
        w.endFrame(true);
    }
    EXPECT_EQ(images, (std::vector<int>{0, 1, 2, 0}));
    images.clear();
    std::vector<int> levels;
    while (true) {
        const int image = w.beginFrame(false);
        if (!w.washing)
            break;
        images.push_back(image);
        levels.push_back(w.level);
        w.endFrame(false);
    }
    EXPECT_EQ(images, (std::vector<int>{2, 3, 3, 3, 4, 4, 4}));
    EXPECT_EQ(levels, (std::vector<int>{5, 4, 3, 2, 1, 0, -1}));
    // Awash again starts the cycle from its first image.
    EXPECT_EQ(w.beginFrame(true), 0);
}

TEST(ScopeWash, WeightsOfTheFirstAndSeventhClearFrames) {
    EXPECT_EQ(washWeight(5, 0), 50);
    EXPECT_EQ(washWeight(5, 150), 65);
    EXPECT_EQ(washWeight(5, 299), 70);
    for (int row : {0, 50, 99})
        EXPECT_EQ(washWeight(-1, row), 0) << row;
    EXPECT_EQ(washWeight(-1, 299), 19);
}

// A white picture of the size with a row step of its own (bytes), its padding marked.
struct Picture {
    Picture(int width, int height, int rowStep) : words(static_cast<std::size_t>(rowStep / 2 * height), 0x1234) {
        image = {words.data(), width, height, rowStep};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                at(x, y) = 0xFFFF;
    }
    std::uint16_t& at(int x, int y) { return words[static_cast<std::size_t>(y * image.rowStep / 2 + x)]; }
    std::vector<std::uint16_t> words;
    r3d::ImagePixels image;
};

TEST(ScopeWash, BlendUsesThePicturesOwnRowStepIn2By2Blocks) {
    // Wash 4 by 4: black, but its memory row 1 red; one padding byte per row.
    std::vector<std::uint8_t> bits(5 * 4, 0);
    for (int x = 0; x < 4; ++x)
        bits[5 + static_cast<std::size_t>(x)] = 1;
    WashPicture wash;
    wash.bits = bits.data();
    wash.width = 4;
    wash.height = 4;
    wash.rowStep = 5;
    wash.palette[1] = 0xF800;
    for (int rowStep : {600, 640}) {
        Picture p(300, 300, rowStep);
        blendWash(p.image, wash, 5, 0);
        // Rows 0, 1 take wash row 0 (black) at weight 50: white keeps 20 of 70.
        const std::uint16_t grey = static_cast<std::uint16_t>((31 * 20 / 70) << 11 | (63 * 20 / 70) << 5 | 31 * 20 / 70);
        for (int x : {0, 1, 299})
            for (int y : {0, 1})
                EXPECT_EQ(p.at(x, y), grey) << rowStep << " " << x << "," << y;
        // Rows 2, 3 fall on wash row 2 (black) too; an offset of 1 brings the red row to rows 0, 1.
        EXPECT_EQ(p.at(0, 2), grey);
        // At the bottom the weight is 70: the wash alone.
        EXPECT_EQ(p.at(10, 298), 0x0000);
        if (rowStep > 600) {
            EXPECT_EQ(p.words[300], 0x1234) << "padding left alone";
        }
        Picture q(300, 300, rowStep);
        blendWash(q.image, wash, 5, 1);
        const std::uint16_t pink = static_cast<std::uint16_t>((31 * 20 + 31 * 50) / 70 << 11 | (63 * 20 / 70) << 5 | 31 * 20 / 70);
        EXPECT_EQ(q.at(7, 1), pink);
    }
}

TEST(ScopeWash, OddSizedPictureAndEmptyWashAreSafe) {
    std::vector<std::uint8_t> bits(4, 0);
    WashPicture wash{bits.data(), 1, 1, 4, {}};
    Picture p(5, 3, 12);
    blendWash(p.image, wash, 7, 3);
    EXPECT_EQ(p.at(4, 2), 0x0000);
    EXPECT_EQ(p.words[5], 0x1234);
    Picture q(4, 4, 8);
    blendWash(q.image, WashPicture{}, 7, 0);
    EXPECT_EQ(q.at(0, 0), 0xFFFF);
}

} // namespace
} // namespace q71::test
