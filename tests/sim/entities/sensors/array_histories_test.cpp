#include "receiver_world.h"

namespace q71::test {
namespace {

class ArrayHistories : public ReceiverWorld {
protected:
    // Steps a receiver every `every` seconds of game time up to `until`.
    static void stepUntil(Sensor& receiver, double until, double every = 0.1) {
        for (double t = simClock().gameClock + every; t <= until + 1e-9; t += every) {
            setClock(t);
            receiver.step(every);
        }
    }
    PassiveArray2& bow() { return *own->suite.bowArray; }
};

TEST_F(ArrayHistories, TakeARowAtMostEvery0444Seconds) {
    stepUntil(bow(), 10.0, 0.1);
    const SoundRing<BroadbandRow>& rows = *bow().broadband();
    EXPECT_EQ(rows.count(), 21u); // the empty first row and one each half second
    for (std::size_t age = 0; age + 2 < rows.count(); ++age)
        EXPECT_GE(rows.newest(age).time - rows.newest(age + 1).time, ArraySonar::kRowInterval - 1e-9);
    EXPECT_NEAR(rows.head().time, 10.0, 1e-9);
    EXPECT_EQ(bow().narrowband()->count(), 21u);
    EXPECT_NEAR(bow().narrowband()->head().time, 10.0, 1e-9);
}

TEST_F(ArrayHistories, WrapTheirRingsAndTheTrackersHistories) {
    stepUntil(bow(), 150.0, 0.5); // 300 rows
    EXPECT_EQ(bow().broadband()->count(), ArraySonar::kBroadbandRows);
    EXPECT_NEAR(bow().broadband()->newest(ArraySonar::kBroadbandRows - 1).time, 150.0 - 134 * 0.5, 1e-9);
    EXPECT_EQ(bow().narrowband()->count(), ReceiverSensor::kNarrowbandRows);
    // Each tracker moved on one entry per row: from 254 down to 1 in 253 rows, then round again,
    // the read index pushed ahead of it.
    const TrackSlot& tracker = bow().trackers()[0];
    EXPECT_EQ(tracker.writeIndex, 254 - (300 - 254));
    EXPECT_EQ(tracker.readIndex, 254 - (300 - 254) - 1);
}

TEST_F(ArrayHistories, FillEachRowWithTheArraysBackground) {
    // Ambient 30, sea state 2, the boat stopped: L = 30, A/6 = 5, L' = min(33, 95) = 33.
    stepUntil(bow(), 0.5);
    const BroadbandRow& row = bow().broadband()->head();
    EXPECT_EQ(row.selfNoise, 36); // int(33 + 0.66 × 5)
    EXPECT_EQ(row.value, 0);
    for (std::uint16_t level : row.level) {
        EXPECT_GE(level, 28);
        EXPECT_LE(level, 38);
    }
    own->motion->speed = 25.0; // the array's own flow noise: 29 more
    own->motion->heading = 123.7;
    stepUntil(bow(), 1.0);
    EXPECT_EQ(bow().broadband()->head().selfNoise, 65);
    EXPECT_EQ(bow().broadband()->head().value, 123);
}

TEST_F(ArrayHistories, MirrorTheTowedArraysBackgroundAboutItsAxis) {
    PassiveArray0& towed = own->streamTowedArray(5.0); // no elements yet: gain 0.8 × 2
    stepUntil(towed, 0.5);
    const BroadbandRow& row = towed.broadband()->head();
    EXPECT_EQ(row.selfNoise, 56); // L' = min(48 + 3, 100 − 8) = 51, + 0.66 × 8
    const int axis = bearingBin(towed.heading);
    for (int k = 0; k <= 128; ++k)
        EXPECT_EQ(row.level[static_cast<std::size_t>((axis + k) & 255)],
                  row.level[static_cast<std::size_t>((axis - k) & 255)]);
}

TEST_F(ArrayHistories, MarkAQuietSoundOnOneBinAndALoudOneAsALobe) {
    stepUntil(bow(), 0.5);
    const int bin = bearingBin(90);
    bow().onNoise(7, 90, 1500.0, 78);
    const BroadbandRow& row = bow().broadband()->head();
    EXPECT_EQ(row.level[static_cast<std::size_t>(bin)], 78);
    EXPECT_EQ(row.range[static_cast<std::size_t>(bin)], 1500);
    EXPECT_LE(row.level[static_cast<std::size_t>(bin + 1)], 38);
    EXPECT_LE(row.level[static_cast<std::size_t>(bin - 1)], 38);
    EXPECT_EQ(bow().sourceTable[90], 7);
    EXPECT_EQ(bow().longTerm1()->working.level[static_cast<std::size_t>(bin)], 78 + 7);
    EXPECT_EQ(bow().longTerm2()->working.level[static_cast<std::size_t>(bin)], 78 + 15);

    const int far = bearingBin(200);
    bow().onNoise(-9, 200, 65535.0 * 2, 79); // w = 2: five bins, 39.5 at the edges
    EXPECT_EQ(row.level[static_cast<std::size_t>(far)], 79);
    for (int k : {-2, -1, 1, 2}) {
        EXPECT_GE(row.level[static_cast<std::size_t>(far + k)], 39);
        EXPECT_EQ(row.range[static_cast<std::size_t>(far + k)], 65535);
        EXPECT_EQ(bow().sourceTable[static_cast<std::size_t>(binDegrees(far + k))],
                  static_cast<std::uint16_t>(-9));
    }
    EXPECT_LE(row.level[static_cast<std::size_t>(far + 3)], 38);
    EXPECT_LE(row.level[static_cast<std::size_t>(far - 3)], 38);
    EXPECT_EQ(bow().longTerm1()->working.level[static_cast<std::size_t>(far)], 86);
    EXPECT_EQ(bow().longTerm2()->working.level[static_cast<std::size_t>(far)], 94);
}

TEST_F(ArrayHistories, GatherLongTermRowsEvery13And53Seconds) {
    stepUntil(bow(), 60.0, 0.5);
    const LongTermHistory& term1 = *bow().longTerm1();
    const LongTermHistory& term2 = *bow().longTerm2();
    EXPECT_EQ(term1.ring.count(), 5u); // rolled over at 13.5, 27, 40.5 and 54
    EXPECT_NEAR(term1.working.time, 54.0, 1e-9);
    EXPECT_NEAR(term1.ring.head().time, 40.5, 1e-9);
    EXPECT_EQ(term2.ring.count(), 2u);
    EXPECT_NEAR(term2.working.time, 53.5, 1e-9);
    EXPECT_EQ(term2.working.selfNoise, bow().broadband()->newest(13).selfNoise);
    EXPECT_EQ(own->suite.flankArray->longTerm1(), nullptr);
}

TEST_F(ArrayHistories, WriteTheSignatureLinesHeardIntoTheNarrowbandRow) {
    stepUntil(bow(), 0.5);
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {0, 2000, -100});
    const int bin = bearingBin(45);
    // 900 Hz at 60 − 20 = 40 and 5000 Hz at 60 − 40 = 20, both above half the background.
    EXPECT_EQ(bow().onEntitySignal(akula, akula.id, 45, 60), 1);
    const NarrowbandRow& row = bow().narrowband()->head();
    for (int b : {bin - 1, bin}) {
        ASSERT_EQ(row.lines(b).size(), 2u);
        EXPECT_EQ(row.lines(b)[0].frequency, 900);
        EXPECT_EQ(row.lines(b)[0].level, 40);
        EXPECT_EQ(row.lines(b)[0].line, 2);
        EXPECT_EQ(row.lines(b)[1].frequency, 5000);
    }
    EXPECT_TRUE(row.lines(bin + 1).empty());
    // A line under its attenuation is not heard at all.
    EXPECT_EQ(bow().onEntitySignal(akula, akula.id, 100, 15), 0);
    EXPECT_TRUE(row.lines(bearingBin(100)).empty());
    // The flank arrays hear the low lines, the louder over more bins: 60 Hz at 100 over 2 × 3,
    // 300 Hz at 90 and 900 Hz at 80 over 2 × 2.
    stepUntil(*own->suite.flankArray, 1.0);
    const NarrowbandRow& low = own->suite.flankArray->narrowband()->head();
    EXPECT_EQ(own->suite.flankArray->onEntitySignal(akula, akula.id, 90, 100), 1);
    const int centre = bearingBin(90);
    for (int b : {centre - 3, centre + 2})
        EXPECT_EQ(low.lines(b).size(), 1u) << b;
    for (int b = centre - 2; b <= centre + 1; ++b)
        EXPECT_EQ(low.lines(b).size(), 3u) << b;
    EXPECT_TRUE(low.lines(centre + 3).empty());
}

TEST_F(ArrayHistories, PlaceASourceWhoseLinesAreNotHeardFourTimesAsFar) {
    stepUntil(bow(), 0.5);
    Entity& akula = spawn("Akula", 2, kKindSubsurface, {0, 2000, -100});
    bow().onEvent(akula, 10.0, 1000.0, 60); // lines heard: the range as it is, in yards
    EXPECT_EQ(bow().broadband()->head().range[static_cast<std::size_t>(bearingBin(10))], 1093);
    akula.signatureIndex = {60, 300, 700, 11000, -1}; // no line in the bow array's band
    bow().onEvent(akula, 30.0, 1000.0, 60);
    EXPECT_EQ(bow().broadband()->head().range[static_cast<std::size_t>(bearingBin(30))], 4374);
}

} // namespace
} // namespace q71::test
