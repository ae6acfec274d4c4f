#include "sim/radio/comms_queue.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

class CommsQueueTest : public testing::Test {
protected:
    void SetUp() override {
        commsQueueClear();
        commsQueueSetShipName("USS Varden");
    }
    void TearDown() override {
        commsQueueClear();
        commsQueueSetShipName("");
    }
};

TEST_F(CommsQueueTest, MessagesComeOffInOrderOfArrival) {
    commsQueueAdd("premier", 0);
    commsQueueAdd("deuxième", 0);
    commsQueueAdd("troisième", 0);
    EXPECT_EQ(commsQueueCount(), 3);
    EXPECT_EQ(commsQueueFrontLength(), 7);
    EXPECT_EQ(commsQueuePop(), "premier");
    EXPECT_EQ(commsQueuePop(), "deuxième");
    commsQueueAdd("quatrième", 0);
    EXPECT_EQ(commsQueuePop(), "troisième");
    EXPECT_EQ(commsQueuePop(), "quatrième");
    EXPECT_EQ(commsQueueCount(), 0);
    EXPECT_EQ(commsQueueFrontLength(), 0);
}

TEST_F(CommsQueueTest, PopOnAnEmptyQueueGivesNothing) {
    EXPECT_EQ(commsQueuePop(), std::nullopt);
    EXPECT_EQ(commsQueueCount(), 0);
}

TEST_F(CommsQueueTest, AnEmptyTextIsNotQueued) {
    commsQueueAdd("", 1);
    commsQueueAdd("", 0);
    EXPECT_EQ(commsQueueCount(), 0);
    EXPECT_EQ(commsQueueCapacity(), 0);
}

TEST_F(CommsQueueTest, FourMessagesGrowANewQueueFromThreeToNineSlots) {
    commsQueueInit();
    EXPECT_EQ(commsQueueCapacity(), 3);
    for (const char* text : {"a", "b", "c"})
        commsQueueAdd(text, 0);
    EXPECT_EQ(commsQueueCapacity(), 3);
    commsQueueAdd("d", 0);
    EXPECT_EQ(commsQueueCapacity(), 9);
    EXPECT_EQ(commsQueueCount(), 4);
}

TEST_F(CommsQueueTest, InitKeepsAnExistingQueue) {
    commsQueueAdd("a", 0);
    commsQueueAdd("b", 0);
    commsQueueAdd("c", 0);
    commsQueueAdd("d", 0);
    commsQueueInit();
    EXPECT_EQ(commsQueueCapacity(), 9);
    EXPECT_EQ(commsQueueCount(), 4);
}

TEST_F(CommsQueueTest, ClearEmptiesTheQueueAndItsSlots) {
    commsQueueAdd("a", 0);
    commsQueueClear();
    EXPECT_EQ(commsQueueCount(), 0);
    EXPECT_EQ(commsQueueCapacity(), 0);
    EXPECT_EQ(commsQueuePop(), std::nullopt);
}

TEST_F(CommsQueueTest, TheTokenBecomesTheShipNameWhenAskedFor) {
    commsQueueAdd("[ship name] appareille", 1);
    commsQueueAdd("[ship name] appareille", 0);
    EXPECT_EQ(commsQueuePop(), "USS Varden appareille");
    EXPECT_EQ(commsQueuePop(), "[ship name] appareille");
}

TEST_F(CommsQueueTest, OnlyFlagOneSubstitutesWhenQueueing) {
    // The queue substitutes for flag 1 only; expansion alone takes any non-zero flag.
    commsQueueAdd("[ship name]", 2);
    EXPECT_EQ(commsQueuePop(), "[ship name]");
    EXPECT_EQ(commsQueueExpandText("[ship name]", 2), "USS Varden");
}

TEST_F(CommsQueueTest, EveryTokenIsReplacedAndTheNameIsNotScannedAgain) {
    EXPECT_EQ(commsQueueExpandText("De [ship name] à [ship name].", 1), "De USS Varden à USS Varden.");
    commsQueueSetShipName("[ship name]");
    EXPECT_EQ(commsQueueExpandText("[ship name]![ship name]", 1), "[ship name]![ship name]");
}

TEST_F(CommsQueueTest, ExpansionWithoutSubstitutionIsAPlainCopy) {
    EXPECT_EQ(commsQueueExpandText("Rendez-vous [ship name", 1), "Rendez-vous [ship name");
    EXPECT_EQ(commsQueueExpandText("[ship name]", 0), "[ship name]");
    EXPECT_EQ(commsQueueExpandText("", 1), std::nullopt);
}

} // namespace
} // namespace q71
