#include "receiver_world.h"

#include "sim/scoring/byte_stream.h"

namespace q71::test {
namespace {

class ReceiverSave : public ReceiverWorld {
protected:
    // A few minutes of a world with two sources and busy trackers, so that every history holds something.
    void fill() {
        Entity& akula = spawn("Akula", 2, kKindSubsurface, {1500, 1500, -100}, 0.0, 6.0);
        spawn("Burke", 2, kKindSurface, {-3000, 1000, 0}, 90.0, 10.0);
        own->streamTowedArray(200.0);
        own->suite.bowArray->trackEvent(-1, 0, 45.0, 0.0, -1, kSensorPassive);
        own->suite.flankArray->trackEvent(-1, 0, 45.0, 0.0, 300, kSensorArray1);
        own->suite.activeSonar->transmitInterval = 20;
        for (int i = 1; i <= 600; ++i) {
            own->motion->y += 1.5;
            own->motion->distanceRun += 1.5;
            setClock(0.4 * i);
            for (auto* node = own->sensors.tail(); node; node = node->previous)
                node->item->step(0.4);
            if (i % 50 == 0)
                own->suite.interceptSonar->onPing(akula.id, 45, 60);
        }
    }
    static std::vector<std::uint8_t> saved(const Sensor& sensor) {
        MemorySink sink;
        EXPECT_TRUE(sensor.save(sink));
        return sink.bytes();
    }
    // Reads saved bytes into a new receiver and saves that again.
    static std::vector<std::uint8_t> reloaded(Sensor& fresh, const std::vector<std::uint8_t>& bytes) {
        MemorySource source(bytes);
        EXPECT_TRUE(fresh.load(source));
        EXPECT_EQ(source.remaining(), 0u);
        return saved(fresh);
    }
};

TEST_F(ReceiverSave, ReloadsEveryReceiverAsItWas) {
    fill();
    const AcousticSuite& suite = own->suite;
    ASSERT_TRUE(suite.bowArray->trackers()[0].locked);
    ASSERT_GT(suite.bowArray->longTerm1()->ring.count(), 1u);
    bool lines = false;
    for (int bin = 0; bin < kBearingBins; ++bin)
        lines = lines || !suite.bowArray->narrowband()->head().lines(bin).empty();
    ASSERT_TRUE(lines);
    ASSERT_TRUE(suite.flankArray->trackers()[0].locked);

    PassiveArray2 bow(*own, 3.0f);
    const std::vector<std::uint8_t> bowBytes = saved(*suite.bowArray);
    EXPECT_EQ(reloaded(bow, bowBytes), bowBytes);
    EXPECT_EQ(bow.broadband()->writeIndex(), suite.bowArray->broadband()->writeIndex());
    EXPECT_EQ(bow.broadband()->readIndex(), suite.bowArray->broadband()->readIndex());
    EXPECT_EQ(bow.trackers()[0].source, suite.bowArray->trackers()[0].source);
    EXPECT_EQ(bow.trackers()[0].historyAt(100), suite.bowArray->trackers()[0].historyAt(100));

    PassiveArray1 flank(*own, 3.0f);
    EXPECT_EQ(reloaded(flank, saved(*suite.flankArray)), saved(*suite.flankArray));
    EXPECT_EQ(flank.longTerm1(), nullptr);

    PassiveArray0 towed(*own, 3.0f);
    EXPECT_EQ(reloaded(towed, saved(*own->towedArray)), saved(*own->towedArray));
    EXPECT_EQ(towed.entityTable, own->towedArray->entityTable);

    ActiveSonar active(*own, 3.0f, -1);
    EXPECT_EQ(reloaded(active, saved(*suite.activeSonar)), saved(*suite.activeSonar));
    EXPECT_EQ(active.broadband()->capacity(), ActiveSonar::kPingRows);
    EXPECT_EQ(active.pingSlot(), suite.activeSonar->pingSlot());

    InterceptSonar intercept(*own, 3.0f);
    EXPECT_EQ(reloaded(intercept, saved(*suite.interceptSonar)), saved(*suite.interceptSonar));
    EsmSensor esm(*own, 2.0f);
    EXPECT_EQ(reloaded(esm, saved(*suite.esm)), saved(*suite.esm));
}

TEST_F(ReceiverSave, RefusesShortOrDamagedSaves) {
    fill();
    const std::vector<std::uint8_t> bytes = saved(*own->suite.activeSonar);
    for (std::size_t cut : {std::size_t{0}, std::size_t{100}, bytes.size() / 2, bytes.size() - 1}) {
        ActiveSonar fresh(*own, 3.0f, -1);
        MemorySource source({bytes.data(), cut});
        EXPECT_FALSE(fresh.load(source)) << cut;
    }
    // The Sensor block, then the narrowband header, the first row's time and heading, its first bin.
    MemorySink head;
    ASSERT_TRUE(own->suite.activeSonar->Sensor::save(head));
    const std::size_t firstBin = head.bytes().size() + 12 + 10;
    std::vector<std::uint8_t> damaged = bytes;
    damaged[firstBin] = 1;                                                        // a bin with lines ...
    damaged[firstBin + 4] = damaged[firstBin + 5] = damaged[firstBin + 6] = 0xFF; // ... too many of them
    ActiveSonar fresh(*own, 3.0f, -1);
    MemorySource source(damaged);
    EXPECT_FALSE(fresh.load(source));

    // A saved receiver of another kind is not this one.
    const std::vector<std::uint8_t> intercept = saved(*own->suite.interceptSonar);
    EsmSensor esm(*own, 2.0f);
    MemorySource other(intercept);
    EXPECT_FALSE(esm.load(other));
    EXPECT_EQ(esm.type, kSensorEsm);
}

TEST_F(ReceiverSave, RefusesALevelAboveTheScale) {
    const std::vector<std::uint8_t> bytes = saved(*own->suite.interceptSonar);
    MemorySink head;
    ASSERT_TRUE(own->suite.interceptSonar->Sensor::save(head));
    // No narrowband lines (12 bytes), the ring's header (12), then the first row's first level.
    std::vector<std::uint8_t> damaged = bytes;
    damaged[head.bytes().size() + 12 + 12 + 522] = 101;
    InterceptSonar fresh(*own, 3.0f);
    MemorySource source(damaged);
    EXPECT_FALSE(fresh.load(source));
}

} // namespace
} // namespace q71::test
