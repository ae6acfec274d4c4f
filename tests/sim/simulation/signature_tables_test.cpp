#include "sim/simulation/random.h"
#include "sim/simulation/signature_tables.h"
#include "sim/world/object_database.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace q71 {
namespace {

class SignatureTables : public ::testing::Test {
protected:
    ~SignatureTables() override {
        worldFreeSignatureTables();
        objdbFree();
    }
    void load(std::initializer_list<ObjectRecord> records) {
        std::string bytes;
        for (const ObjectRecord& r : records) {
            const auto encoded = objectRecordEncode(r);
            bytes.append(encoded.begin(), encoded.end());
        }
        ASSERT_TRUE(objdbLoadFile(dir.write("objects.db", bytes)));
    }
    static ObjectRecord withLines(std::uint32_t id, std::array<std::int32_t, 5> lines,
                                  std::array<std::int32_t, 4> parameters = {}) {
        ObjectRecord r;
        r.id = id;
        r.signatureValues = lines;
        r.signatureParameters = parameters;
        return r;
    }
    test::TempDir dir;
};

TEST_F(SignatureTables, OneTablePerLineWithItsAttenuation) {
    load({withLines(5, {120, 0, 300, 0, 0}, {11, 22, 33, 44}), withLines(6, {0, 500, 0, 0, 0})});
    worldBuildSignatureTables();
    const auto tables = worldSignatureTables(5);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].parameter, 0);
    EXPECT_EQ(tables[1].parameter, 22);           // the value at record offset 364 goes with the third value
    EXPECT_TRUE(worldSignatureTables(6).empty()); // a first value of 0 gives no tables
    EXPECT_TRUE(worldSignatureTables(7).empty());
    EXPECT_TRUE(worldSignatureTables(0).empty());
    EXPECT_TRUE(worldSignatureTables(150).empty());
}

TEST_F(SignatureTables, SamplesWanderWithinFivePerCentOfTheLine) {
    load({withLines(1, {120, 4000, 31999, 60, 999})});
    randomSeed(4);
    worldBuildSignatureTables();
    const auto tables = worldSignatureTables(1);
    ASSERT_EQ(tables.size(), 5u);
    const std::int32_t lines[] = {120, 4000, 31999, 60, 999};
    for (std::size_t k = 0; k < tables.size(); ++k) {
        const auto& samples = tables[k].samples;
        EXPECT_GE(samples.size(), 50u);
        EXPECT_LE(samples.size(), 100u);
        EXPECT_EQ(samples[0], lines[k]);
        bool moved = false;
        for (std::int32_t s : samples) {
            EXPECT_LE(std::abs(s - lines[k]), 0.05 * lines[k]) << k;
            moved |= s != lines[k];
        }
        EXPECT_TRUE(moved || lines[k] < 100) << k; // a wide line visibly wanders
    }
}

TEST_F(SignatureTables, EachTableDrawsItsLengthThenItsAmplitude) {
    load({withLines(3, {1000, 0, 0, 0, 0}), withLines(9, {2000, 0, 0, 0, 0})});
    randomSeed(11);
    const int length3 = 50 + static_cast<int>(randomScaled(50.0));
    randomScaled(1.0);
    const int length9 = 50 + static_cast<int>(randomScaled(50.0));
    randomScaled(1.0);
    const int after = randomNext();

    randomSeed(11);
    worldBuildSignatureTables();
    EXPECT_EQ(worldSignatureTables(3)[0].samples.size(), static_cast<std::size_t>(length3));
    EXPECT_EQ(worldSignatureTables(9)[0].samples.size(), static_cast<std::size_t>(length9));
    worldBuildSignatureTables(); // built: a second call draws nothing
    EXPECT_EQ(randomNext(), after);
}

TEST_F(SignatureTables, FreedTablesAreBuiltAfresh) {
    load({withLines(2, {700, 0, 0, 0, 0})});
    worldBuildSignatureTables();
    worldFreeSignatureTables();
    EXPECT_TRUE(worldSignatureTables(2).empty());
    worldBuildSignatureTables();
    EXPECT_EQ(worldSignatureTables(2).size(), 1u);
}

TEST_F(SignatureTables, ExtremeValuesOfADamagedRecordStayInRange) {
    load({withLines(
        4, {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(), 0, 0, 0})});
    randomSeed(2);
    worldBuildSignatureTables();
    const auto tables = worldSignatureTables(4);
    ASSERT_EQ(tables.size(), 2u);
    for (std::int32_t s : tables[0].samples)
        EXPECT_GE(s, 0.95 * std::numeric_limits<std::int32_t>::max()); // never wrapped round
    for (std::int32_t s : tables[1].samples)
        EXPECT_LE(s, 0.95 * std::numeric_limits<std::int32_t>::min());
}

} // namespace
} // namespace q71
