#include "sim/entities/field_codec.h"
#include "sim/entities/sensors/sonar_rows.h"
#include "sim/entities/sensors/track_slot.h"
#include "sim/scoring/byte_stream.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71 {
namespace {

TEST(BearingBins, CoverTheCircleIn256) {
    EXPECT_EQ(bearingBin(0.0), 0);
    EXPECT_EQ(bearingBin(1.40625), 1);
    EXPECT_EQ(bearingBin(359.99), 255);
    EXPECT_EQ(bearingBin(360.0), 0);
    EXPECT_EQ(bearingBin(-1.0), 255);
    EXPECT_EQ(bearingBin(725.0), bearingBin(5.0));
    EXPECT_EQ(bearingBin(std::nan("")), 0);
    EXPECT_EQ(binDegrees(128), 180);
    EXPECT_EQ(binDegrees(255), 358);
}

TEST(SoundRings, TakeRowsNewestFirstAndDropTheOldestWhenFull) {
    SoundRing<BroadbandRow> ring(4);
    EXPECT_EQ(ring.count(), 1u);
    for (int i = 1; i <= 3; ++i)
        ring.take().time = i;
    EXPECT_EQ(ring.writeIndex(), 1u);
    EXPECT_EQ(ring.readIndex(), 0u);
    EXPECT_EQ(ring.count(), 4u);
    EXPECT_EQ(ring.newest(0).time, 3.0);
    EXPECT_EQ(ring.newest(3).time, 0.0);
    ring.take().time = 4; // the ring is full: the oldest goes
    EXPECT_EQ(ring.writeIndex(), 0u);
    EXPECT_EQ(ring.readIndex(), 3u);
    EXPECT_EQ(ring.count(), 4u);
    EXPECT_EQ(ring.newest(0).time, 4.0);
    EXPECT_EQ(ring.newest(3).time, 1.0);
    for (int i = 5; i <= 13; ++i)
        ring.take().time = i;
    EXPECT_EQ(ring.count(), 4u);
    EXPECT_EQ(ring.newest(3).time, 10.0);
    EXPECT_FALSE(ring.setIndices(4, 0));
    EXPECT_TRUE(ring.setIndices(2, 1));
}

TEST(NarrowbandRows, KeepOneItemPerSourceAndFrequencyAtItsLoudest) {
    NarrowbandRow row;
    row.addLine(3, {7, 300, 1, 40});
    row.addLine(3, {7, 300, 1, 30});
    row.addLine(3, {7, 900, 2, 20});
    row.addLine(3 + 256, {-7, 300, 1, 250});
    ASSERT_EQ(row.lines(3).size(), 3u);
    EXPECT_EQ(row.lines(3)[0].level, 40);
    EXPECT_EQ(row.lines(3)[2].level, 100);
    row.clear();
    EXPECT_TRUE(row.lines(3).empty());
}

TEST(TrackerHistories, WrapWithinTheirEntries) {
    TrackSlot slot;
    EXPECT_EQ(slot.writeIndex, TrackSlot::kHistory);
    for (int i = 0; i < TrackSlot::kHistory - 1; ++i)
        slot.advanceHistory();
    EXPECT_EQ(slot.writeIndex, 1);
    EXPECT_EQ(slot.readIndex, TrackSlot::kHistory);
    slot.recordSpeed(12.9);
    EXPECT_EQ(slot.historyAt(1), 12);
    slot.advanceHistory(); // from 1 back to the last entry, which the read index leaves
    EXPECT_EQ(slot.writeIndex, TrackSlot::kHistory);
    EXPECT_EQ(slot.readIndex, TrackSlot::kHistory - 1);
    EXPECT_EQ(slot.historyAt(TrackSlot::kHistory), 0);
    slot.recordSpeed(400.0);
    EXPECT_EQ(slot.historyAt(TrackSlot::kHistory), 255);
    slot.recordSpeed(-3.0);
    EXPECT_EQ(slot.historyAt(TrackSlot::kHistory), 0);
}

TEST(TrackerHistories, AreSavedAsThe320BytesOfATracker) {
    TrackSlot slot;
    slot.arm(45.0, 2000.0, 300, 2);
    slot.lock(-12, 7.5);
    slot.letter = 'B';
    slot.advanceHistory();
    slot.recordSpeed(9.0);
    FieldWriter writer;
    slot.write(writer);
    MemorySink sink;
    ASSERT_TRUE(writer.flush(sink));
    ASSERT_EQ(sink.bytes().size(), TrackSlot::kSavedSize);

    MemorySource source(sink.bytes());
    FieldReader reader(source, TrackSlot::kSavedSize);
    TrackSlot back;
    ASSERT_TRUE(back.read(reader));
    ASSERT_TRUE(reader.ok());
    EXPECT_EQ(back.source, -12);
    EXPECT_EQ(back.line, TrackSlot::kNoLine);
    EXPECT_EQ(back.letter, 'B');
    EXPECT_EQ(back.writeIndex, slot.writeIndex);
    EXPECT_EQ(back.historyAt(back.writeIndex), 9);

    std::vector<std::uint8_t> damaged = sink.bytes();
    damaged[315] = 0; // a write index outside the history
    MemorySource damagedSource(damaged);
    FieldReader damagedReader(damagedSource, TrackSlot::kSavedSize);
    EXPECT_FALSE(back.read(damagedReader));
}

} // namespace
} // namespace q71
