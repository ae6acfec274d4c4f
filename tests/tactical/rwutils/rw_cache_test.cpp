// The model, texture and backdrop caches over a counting archive, the sea texture, the
// background loads, and the model descriptor's checks.
#include "tactical/rwutils/rw_fixture.h"

#include "render3d/clump.h"
#include "render3d/texture.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/rwutils/sea_texture.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

using RwCache = RwFixture;

TEST_F(RwCache, ASecondInstanceIsADuplicateWithoutWakeOrBubblesAndCountsItsTexturesTwice) {
    addModel("frigate", {"hull.bmp", "deck.bmp"}, 1.0f, {501, 503, 504, 510});
    r3d::Clump* first = rwLoadModel("frigate", false);
    ASSERT_NE(first, nullptr);
    r3d::Clump* second = rwLoadModel("FRIGATE", false);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(archive.reads["models/frigate"], 1);
    EXPECT_EQ(archive.reads["models/frigate.geo"], 1);
    EXPECT_NE(r3d::findByTag(*first, 501), nullptr);
    EXPECT_EQ(r3d::findByTag(*second, 501), nullptr);
    EXPECT_EQ(r3d::findByTag(*second, 503), nullptr);
    EXPECT_NE(r3d::findByTag(*second, 504), nullptr);
    EXPECT_NE(r3d::findByTag(*second, 510), nullptr);
    EXPECT_EQ(rwTextureReferences("hull.bmp"), 2);
    EXPECT_EQ(rwTextureReferences("deck.bmp"), 2);

    rwReleaseModel(first);
    EXPECT_NE(r3d::findTexture("hull.bmp"), nullptr);
    EXPECT_EQ(rwTextureReferences("hull.bmp"), 1);
    rwReleaseModel(second);
    EXPECT_EQ(r3d::findTexture("hull.bmp"), nullptr);
    EXPECT_EQ(rwTextureReferences("deck.bmp"), 0);
    EXPECT_EQ(rwModelInstances(), 0);
    rwReleaseModel(second); // no longer cached: nothing happens
    EXPECT_TRUE(fatal.empty());
}

TEST_F(RwCache, MissingAndDamagedEntries) {
    // A model the archive lacks: none, without a report.
    EXPECT_EQ(rwLoadModel("nothing", false), nullptr);
    EXPECT_TRUE(fatal.empty());
    // A texture the archive lacks: fatal 606.
    EXPECT_EQ(rwLoadTexture("absent.bmp"), nullptr);
    ASSERT_EQ(fatal.size(), 1u);
    EXPECT_EQ(fatal[0].text, 606);
    EXPECT_EQ(rwTextureReferences("absent.bmp"), 0);
    // A texture entry the library refuses: fatal 858.
    archive.entries["textures/bad.bmp"] = {'T', 'X', 'T', 'R', 1, 0, 0, 0, 0};
    EXPECT_EQ(rwLoadTexture("bad.bmp"), nullptr);
    ASSERT_EQ(fatal.size(), 2u);
    EXPECT_EQ(fatal[1].text, 858);
    // A damaged geometry: fatal 858, and the textures it took are given back.
    addModel("broken", {"shared.bmp"});
    addTexture("textures", "shared.bmp", 0x102030);
    ASSERT_NE(rwLoadTexture("shared.bmp"), nullptr);
    archive.entries["models/broken.geo"].resize(12);
    EXPECT_EQ(rwLoadModel("broken", false), nullptr);
    ASSERT_EQ(fatal.size(), 3u);
    EXPECT_EQ(fatal[2].text, 858);
    EXPECT_EQ(rwTextureReferences("shared.bmp"), 1);
    EXPECT_EQ(rwModelInstances(), 0);
    // A geometry entry the archive lacks: none, the counts given back, no report.
    archive.entries.erase("models/broken.geo");
    EXPECT_EQ(rwLoadModel("broken", false), nullptr);
    EXPECT_EQ(fatal.size(), 3u);
    EXPECT_EQ(rwTextureReferences("shared.bmp"), 1);
    rwReleaseTexture("shared.bmp");
    EXPECT_EQ(r3d::findTexture("shared.bmp"), nullptr);
}

TEST_F(RwCache, BackdropsAreCountedApartFromTextures) {
    archive.entries["textures/day1.bmp"] = imageEntry(16, 8, 4, 0xFFFFFF, 0);
    r3d::Image* a = rwLoadTextureAlt("day1.bmp");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(rwLoadTextureAlt("Day1.bmp"), a);
    EXPECT_EQ(archive.reads["textures/day1.bmp"], 1);
    EXPECT_EQ(rwBackdropReferences("day1.bmp"), 2);
    EXPECT_EQ(rwTextureReferences("day1.bmp"), 0);
    rwReleaseTextureAlt("day1.bmp");
    rwReleaseTextureAlt("day1.bmp");
    EXPECT_EQ(rwBackdropReferences("day1.bmp"), 0);
    EXPECT_EQ(rwLoadTextureAlt("night1.bmp"), nullptr);
    ASSERT_EQ(fatal.size(), 1u);
    EXPECT_EQ(fatal[0].text, 606);
}

TEST_F(RwCache, TheSeaTextureFollowsTheSeaStateAndTheOptionAndAnimatesEverySixthFrame) {
    for (int i = 1; i <= 5; ++i)
        addTexture("textures", "sea" + std::to_string(i) + ".bmp", 0x000010u * static_cast<unsigned>(i), 4);
    options.fields[0] = 0;
    simClock().seaState = 0;
    rwUpdateSeaTexture();
    EXPECT_EQ(rwSeaTexture(), nullptr);
    options.fields[0] = 1;
    rwUpdateSeaTexture();
    ASSERT_NE(rwSeaTexture(), nullptr);
    EXPECT_EQ(rwSeaTexture()->name(), "sea1.bmp");
    simClock().seaState = 1; // shares sea1.bmp
    rwUpdateSeaTexture();
    EXPECT_EQ(rwSeaTexture()->name(), "sea1.bmp");
    EXPECT_EQ(rwTextureReferences("sea1.bmp"), 1);
    simClock().seaState = 9; // beyond the table: the roughest sea
    rwUpdateSeaTexture();
    EXPECT_EQ(rwSeaTexture()->name(), "sea5.bmp");
    EXPECT_EQ(rwTextureReferences("sea1.bmp"), 0);
    // Frames advance on every sixth call.
    const int start = rwSeaTexture()->frame();
    std::vector<int> frames;
    for (int i = 0; i < 12; ++i) {
        rwUpdateSeaTexture();
        frames.push_back(rwSeaTexture()->frame());
    }
    int changes = 0;
    for (std::size_t i = 0; i < frames.size(); ++i)
        changes += frames[i] != (i ? frames[i - 1] : start);
    EXPECT_EQ(changes, 2);
    rwShutdown();
    EXPECT_EQ(rwTextureReferences("sea5.bmp"), 0);
    simClock().seaState = 2;
}

TEST_F(RwCache, BackgroundLoadsFinishOnTheMainThreadOnly) {
    addTexture("textures", "fire.bmp", 0xFF8000);
    const auto main = std::this_thread::get_id();
    std::vector<std::thread::id> ranOn;
    r3d::Texture* slot = nullptr;
    auto done = [&](r3d::Texture** s) {
        ranOn.push_back(std::this_thread::get_id());
        EXPECT_EQ(s, &slot);
    };
    EXPECT_EQ(rwLoadTextureAsync("fire.bmp", done, &slot), 1);
    EXPECT_EQ(rwLoadTextureAsync("FIRE.bmp", done, &slot), 0); // already pending
    archive.deliver();
    EXPECT_TRUE(ranOn.empty()); // nothing runs until the main thread asks
    EXPECT_EQ(r3d::findTexture("fire.bmp"), nullptr);
    rwRunCompletions();
    ASSERT_EQ(ranOn.size(), 1u);
    EXPECT_EQ(ranOn[0], main);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->name(), "fire.bmp");
    // Cached: the completion runs at once and the count grows.
    r3d::Texture* again = nullptr;
    EXPECT_EQ(rwLoadTextureAsync("fire.bmp", [&](r3d::Texture**) { ranOn.push_back(std::this_thread::get_id()); },
                                 &again),
              1);
    EXPECT_EQ(again, slot);
    EXPECT_EQ(rwTextureReferences("fire.bmp"), 2);
    // A lookup of the name while its load is under way finishes it first.
    addTexture("textures", "smoke.bmp", 0x808080);
    r3d::Texture* smoke = nullptr;
    rwLoadTextureAsync("smoke.bmp", nullptr, &smoke);
    archive.deliver();
    EXPECT_NE(rwLoadTexture("smoke.bmp"), nullptr);
    EXPECT_NE(smoke, nullptr);
    EXPECT_EQ(rwTextureReferences("smoke.bmp"), 2);
    EXPECT_EQ(archive.reads["textures/smoke.bmp"], 1);
    for (const char* name : {"fire.bmp", "fire.bmp", "smoke.bmp", "smoke.bmp"})
        rwReleaseTexture(name);
    EXPECT_EQ(rwTextureReferences("fire.bmp") + rwTextureReferences("smoke.bmp"), 0);
}

TEST(ModelDescriptor, MalformedDescriptorsAreRefused) {
    const auto good = encodeModelDescriptor({"ship.geo", {"a.bmp", "b.bmp"}});
    ASSERT_EQ(good.size(), 84u + 160u);
    const auto decoded = decodeModelDescriptor(good);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->geometry, "ship.geo");
    EXPECT_EQ(decoded->textures, (std::vector<std::string>{"a.bmp", "b.bmp"}));

    auto shorter = good;
    shorter.resize(good.size() - 1);
    auto negative = good;
    negative[83] = 0x80;
    auto tooMany = good;
    tooMany[80] = 26;
    auto unterminated = good;
    std::fill(unterminated.begin() + 84, unterminated.begin() + 164, 'x');
    auto noGeometryZero = good;
    std::fill(noGeometryZero.begin(), noGeometryZero.begin() + 80, 'g');
    for (const auto* bad : {&shorter, &negative, &tooMany, &unterminated, &noGeometryZero})
        EXPECT_FALSE(decodeModelDescriptor(*bad));
    EXPECT_FALSE(decodeModelDescriptor(std::vector<std::uint8_t>(83, 0)));
    auto none = encodeModelDescriptor({"g", {}});
    ASSERT_EQ(none.size(), 84u);
    EXPECT_TRUE(decodeModelDescriptor(none));
}

} // namespace
} // namespace q71::test
