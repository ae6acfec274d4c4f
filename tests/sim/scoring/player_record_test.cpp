#include "sim/scoring/player_record.h"
#include "sim/support/fake_time.h"

#include <gtest/gtest.h>

#include <cstring>

namespace q71 {
namespace {

std::int32_t wordAt(const std::array<std::uint8_t, kPlayerRecordSize>& bytes, size_t word) {
    std::int32_t value;
    std::memcpy(&value, bytes.data() + 4 * word, 4);
    return value;
}

float floatAt(const std::array<std::uint8_t, kPlayerRecordSize>& bytes, size_t word) {
    float value;
    std::memcpy(&value, bytes.data() + 4 * word, 4);
    return value;
}

TEST(PlayerKey, NameThenThreeDigits) {
    const auto key = playerKey("Marin", 7);
    ASSERT_TRUE(key);
    EXPECT_EQ(playerKeyText(*key), "Marin007");
    EXPECT_EQ((*key)[8], '\0');
}

TEST(PlayerKey, ALongNameIsCutTo77AndFillsTheFieldWithoutTerminator) {
    const auto key = playerKey(std::string(90, 'x'), 123);
    ASSERT_TRUE(key);
    EXPECT_EQ(playerKeyText(*key), std::string(77, 'x') + "123");
    EXPECT_EQ(playerKeyText(*key).size(), kPlayerKeySize);
}

TEST(PlayerKey, OnlyThreeDigitNumbersMakeAKey) {
    EXPECT_FALSE(playerKey("Marin", -1));
    EXPECT_FALSE(playerKey("Marin", 1000));
    EXPECT_EQ(playerKeyText(*playerKey("Marin", 999)), "Marin999");
}

TEST(PlayerRecordLayout, EveryFieldLiesAtItsWord) {
    PlayerRecord record;
    record.key = *playerKey("Nemo", 1);
    record.progress[9] = 11;
    record.tutorialScore[0] = 21;
    record.tutorialScore[199] = 22;
    record.singleScore[0] = 31;
    record.campaignScore[199] = 41;
    record.stationLevels[4] = 2.5f;
    record.careerPoints = 1234;
    record.endMovieVariant[5] = 6;
    record.statusWords[6] = 1;
    record.carriedWords[0] = 77;
    record.campaignGrade[0] = 5;
    record.inventory[6] = 13;
    record.cells[11] = 1;
    record.tubes[0] = 4;
    record.snapshots[0].inventory[0] = 51;
    record.snapshots[0].stationLevels[4] = 3.5f;
    record.snapshots[199].cells[0] = 61;
    record.snapshots[199].stationLevels[4] = 1.25f;
    record.victoryCode() = 9;
    record.tail[19] = 0xAB;

    std::array<std::uint8_t, kPlayerRecordSize> bytes{};
    playerRecordEncode(record, bytes);
    EXPECT_EQ(wordAt(bytes, 0), 36336);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 4)), "Nemo001");
    EXPECT_EQ(wordAt(bytes, 30), 11);
    EXPECT_EQ(wordAt(bytes, 31), 21);
    EXPECT_EQ(wordAt(bytes, 230), 22);
    EXPECT_EQ(wordAt(bytes, 231), 31);
    EXPECT_EQ(wordAt(bytes, 630), 41);
    EXPECT_EQ(floatAt(bytes, 635), 2.5f);
    EXPECT_EQ(wordAt(bytes, 636), 1234);
    EXPECT_EQ(wordAt(bytes, 642), 6);
    EXPECT_EQ(wordAt(bytes, 649), 1);
    EXPECT_EQ(wordAt(bytes, 650), 77);
    EXPECT_EQ(wordAt(bytes, 656), 5);
    EXPECT_EQ(wordAt(bytes, 862), 13);
    EXPECT_EQ(wordAt(bytes, 874), 1);
    EXPECT_EQ(wordAt(bytes, 875), 4);
    EXPECT_EQ(wordAt(bytes, 879), 51);
    EXPECT_EQ(floatAt(bytes, 879 + 40), 3.5f);
    EXPECT_EQ(wordAt(bytes, 879 + 41 * 199 + 7), 61);
    EXPECT_EQ(floatAt(bytes, 9078), 1.25f);
    EXPECT_EQ(bytes[36316], 9);
    EXPECT_EQ(bytes[36335], 0xAB);

    const PlayerRecord back = playerRecordDecode(bytes);
    std::array<std::uint8_t, kPlayerRecordSize> again{};
    playerRecordEncode(back, again);
    EXPECT_EQ(again, bytes);
    EXPECT_EQ(back.snapshots[199].cells[0], 61);
    EXPECT_EQ(back.stationLevels[4], 2.5f);
}

TEST(PlayerRecordNew, ANewPlayerStartsWithNothingPlayedAndTheDefaultLoadOut) {
    test::FakeTimeSource time;
    time.seconds = 5000;
    const PlayerRecord record = playerRecordNew(*playerKey("Nemo", 1));
    EXPECT_EQ(record.size, 36336);
    EXPECT_EQ(playerKeyText(record.key), "Nemo001");
    for (int q = 0; q < kMissionSlots; ++q) {
        EXPECT_EQ(record.tutorialScore[static_cast<size_t>(q)], -1);
        EXPECT_EQ(record.singleScore[static_cast<size_t>(q)], -1);
        EXPECT_EQ(record.campaignScore[static_cast<size_t>(q)], -1);
        EXPECT_EQ(record.campaignGrade[static_cast<size_t>(q)], -1);
    }
    EXPECT_EQ(record.progress, (std::array<std::int32_t, kMissionSets>{}));
    EXPECT_EQ(record.stationLevels, (std::array<float, kStationCount>{}));
    EXPECT_EQ(record.careerPoints, 0);
    EXPECT_EQ(record.inventory, (Inventory{10, 0, 0, 10, 0, 15, 15}));
    EXPECT_EQ(record.cells, (std::array<std::int32_t, kVlsCellCount>{3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(record.tubes, (std::array<std::int32_t, kTorpedoTubeCount>{2, 2, 0, 0}));
    for (std::int32_t variant : record.endMovieVariant) {
        EXPECT_GE(variant, 0);
        EXPECT_LE(variant, 6);
    }
    // The end movies are drawn from the time of day: one time, one draw.
    const PlayerRecord same = playerRecordNew(*playerKey("Autre", 2));
    EXPECT_EQ(same.endMovieVariant, record.endMovieVariant);
}

TEST(MissionSlot, SetsAndMissionsIndexTheTwoHundredSlots) {
    EXPECT_EQ(missionSlot(0, 0), 0u);
    EXPECT_EQ(missionSlot(2, 3), 43u);
    EXPECT_EQ(missionSlot(9, 19), 199u);
    EXPECT_FALSE(missionSlot(10, 0));
    EXPECT_FALSE(missionSlot(0, 20));
    EXPECT_FALSE(missionSlot(-1, 0));
    EXPECT_FALSE(missionSlot(0, -1));
}

} // namespace
} // namespace q71
