// The radio room's rules without its window: reception by antenna and wire, the timing and order
// of the messages, the reminder, the log's separators and colours through a save, and the chat.
#include "sim/radio/comms_queue.h"
#include "tactical/radio/radio_chat.h"
#include "tactical/radio/radio_log.h"
#include "tactical/radio/radio_reception.h"
#include "tactical/radio/radio_traffic.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

// Metres of a length in feet.
constexpr double feet(double ft) {
    return ft / 3.2808398950131235;
}

// The depth coordinate at which D = 28 - 3z takes a value.
double zForD(double d) {
    return (28.0 - d) / 3.0;
}

TEST(RadioReception, AntennaAboveSixtyAndTheWireByItsSpeedTable) {
    struct Case {
        const char* what;
        RadioReceiver receiver;
        double rate;
    } const cases[] = {
        {"antenna, D 60", {true, zForD(60.0), 0.0, 5.0}, 1200.0},
        {"antenna, D 61", {true, zForD(61.0), 0.0, 5.0}, 0.0},
        {"antenna switched off", {false, zForD(30.0), 0.0, 5.0}, 0.0},
        {"antenna first", {true, zForD(30.0), feet(751), 5.0}, 1200.0},
        {"751 ft at 5 kt, D 150", {false, zForD(150.0), feet(751), 5.0}, 20.0},
        {"751 ft at 5 kt, D 151", {false, zForD(151.0), feet(751), 5.0}, 0.0},
        {"750 ft is not enough", {false, zForD(30.0), feet(750), 5.0}, 0.0},
        {"wire cut", {false, zForD(30.0), -1.0, 5.0}, 0.0},
        {"stopped, D 225", {false, zForD(225.0), feet(751), 0.0}, 20.0},
        {"astern", {false, zForD(30.0), feet(751), -0.1}, 0.0},
        {"above 10 kt", {false, zForD(30.0), feet(751), 10.1}, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(radioReceptionRate(c.receiver), c.rate) << c.what;
    EXPECT_DOUBLE_EQ(radioWireDepthLimit(0.0), 225.0);
    EXPECT_DOUBLE_EQ(radioWireDepthLimit(1.25), 212.5);
    EXPECT_DOUBLE_EQ(radioWireDepthLimit(5.5), 112.5);
    EXPECT_DOUBLE_EQ(radioWireDepthLimit(6.5), 67.5);
    EXPECT_DOUBLE_EQ(radioWireDepthLimit(10.0), 60.0);
    EXPECT_LT(radioWireDepthLimit(10.5), 0.0);
}

class RadioTrafficTest : public ::testing::Test {
protected:
    void SetUp() override {
        commsQueueClear();
        commsQueueInit();
    }
    void TearDown() override { commsQueueClear(); }

    void pass(double clock, double rate, bool unreachable = false) {
        traffic.pass(clock, rate, unreachable,
                     RadioTrafficHooks{[this](const std::string& m) { received.push_back(m); },
                                       [this](const char* wave, int, int text) {
                                           reports.push_back(std::string(wave) + ":" + std::to_string(text));
                                       }});
    }

    RadioTraffic traffic;
    std::vector<std::string> received;
    std::vector<std::string> reports;
};

TEST_F(RadioTrafficTest, SixHundredCharactersTakeHalfASecondByAntennaAndThirtyByWire) {
    for (const double rate : {kAntennaRate, kWireRate}) {
        received.clear();
        commsQueueAdd(std::string(600, 'x'), 0);
        const double needed = 600.0 / rate;
        pass(100.0, rate);
        EXPECT_TRUE(traffic.receiving());
        pass(100.0 + needed * 0.99, rate);
        EXPECT_TRUE(received.empty()) << rate;
        pass(100.0 + needed, rate);
        ASSERT_EQ(received.size(), 1u) << rate;
        EXPECT_FALSE(traffic.receiving());
    }
    EXPECT_DOUBLE_EQ(600.0 / kAntennaRate, 0.5);
    EXPECT_DOUBLE_EQ(600.0 / kWireRate, 30.0);
}

TEST_F(RadioTrafficTest, MessagesComeFirstInFirstOutAndTheLastOneIsReported) {
    commsQueueAdd(std::string(1200, 'a'), 0); // 1 s by antenna
    commsQueueAdd("second", 0);
    pass(0.0, kAntennaRate);
    pass(0.5, kAntennaRate);
    EXPECT_TRUE(received.empty());
    pass(1.0, kAntennaRate);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0][0], 'a');
    EXPECT_TRUE(reports.empty()) << "the queue is not empty yet";
    pass(1.001, kAntennaRate); // the second starts now, 6 characters: 5 ms
    EXPECT_EQ(received.size(), 1u);
    pass(1.006, kAntennaRate);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1], "second");
    EXPECT_EQ(reports, std::vector<std::string>{"RadioMsg.wav:348"});
}

TEST_F(RadioTrafficTest, WithoutAPathTheOperatorRemindsOnceHalfAnHourAfterAnArrival) {
    pass(10.0, 0.0); // the queue empty
    commsQueueAdd("orders", 0);
    pass(12.0, 0.0); // an arrival into the empty queue: armed for 1812 s
    EXPECT_TRUE(traffic.reminderArmed());
    EXPECT_DOUBLE_EQ(traffic.reminderTime(), 1812.0);
    pass(1811.0, 0.0);
    EXPECT_TRUE(reports.empty());
    pass(1812.0, 0.0);
    EXPECT_EQ(reports, std::vector<std::string>{"RadioCpy.wav:316"});
    pass(4000.0, 0.0);
    EXPECT_EQ(reports.size(), 1u) << "once per arrival";
    EXPECT_TRUE(received.empty()) << "the message waits";

    // A path disarms it; so does a failed antenna with the wire cut.
    commsQueueClear();
    commsQueueInit();
    pass(5000.0, 0.0);
    commsQueueAdd("more", 0);
    pass(5001.0, 0.0);
    EXPECT_TRUE(traffic.reminderArmed());
    pass(5002.0, 0.0, true);
    EXPECT_FALSE(traffic.reminderArmed());
}

TEST(RadioLog, SeparatorsColoursAndTheLinesThroughASave) {
    std::vector<std::pair<std::string, ColorRef>> shown;
    RadioLog log("--------------------");
    log.setSink([&](const std::string& line, ColorRef colour) { shown.emplace_back(line, colour); });
    log.appendMessage("Orders\n\nProceed", kRadioMissionKind); // the tasking
    log.appendMessage("", 2);                                   // nothing
    log.appendMessage("ignored", 0);                            // nothing
    log.advanceColour();
    log.appendMessage("Intel", kRadioMissionKind); // separated from the tasking
    log.advanceColour();
    log.appendMessage("hello", 2); // a chat line after a mission message: separated
    log.appendMessage("again", 2); // chat after chat: not
    const std::vector<std::string> expected{"Orders", " ", "Proceed", "--------------------", "Intel",
                                            "--------------------", "hello", "again"};
    EXPECT_EQ(log.lines(), expected);
    ASSERT_EQ(shown.size(), expected.size());
    EXPECT_EQ(shown[0].second, kRadioColours[0]);
    EXPECT_EQ(shown[3].second, kRadioSeparatorColour);
    EXPECT_EQ(shown[4].second, kRadioColours[1]);
    EXPECT_EQ(shown[6].second, kRadioColours[2]);

    // A saved mission's lines come back with their separators grey, each advancing the colour.
    std::vector<std::pair<std::string, ColorRef>> restored;
    RadioLog loaded("--------------------");
    loaded.setSink([&](const std::string& line, ColorRef colour) { restored.emplace_back(line, colour); });
    loaded.restore(log.lines());
    EXPECT_EQ(loaded.lines(), expected);
    ASSERT_EQ(restored.size(), expected.size());
    EXPECT_EQ(restored[0].second, kRadioColours[0]);
    EXPECT_EQ(restored[1].first, " ");
    EXPECT_EQ(restored[3].second, kRadioSeparatorColour);
    EXPECT_EQ(restored[4].second, kRadioColours[1]);
    EXPECT_EQ(restored[6].second, kRadioColours[2]);
    EXPECT_EQ(loaded.colourIndex(), 0) << "once more after the lines";
    // A line of a damaged save is cut to the limit.
    RadioLog bounded("--------------------");
    bounded.restore({std::string(5000, 'z')});
    EXPECT_EQ(bounded.lines().front().size(), kRadioSavedLineLimit);
}

TEST(RadioChat, PiecesOfEightyBreakAfterTheLastDelimiterRun) {
    const std::string delimiters = " ,.;:!?-";
    struct Case {
        std::string text;
        std::vector<std::size_t> lengths;
    } const cases[] = {
        {"", {}},
        {"short one", {9}},
        {std::string(200, 'a'), {80, 80, 40}},
        {std::string(70, 'a') + "  " + std::string(30, 'b'), {72, 30}},          // after the run of two spaces
        {std::string(78, 'a') + "!!!!" + std::string(10, 'b'), {80, 12}},        // the run crosses the limit
        {std::string(40, 'a') + ", " + std::string(39, 'b') + " c", {42, 41}},   // the last run before 80
    };
    for (const Case& c : cases) {
        const auto pieces = chatPieces(c.text, delimiters);
        std::vector<std::size_t> lengths;
        std::string joined;
        for (const std::string& piece : pieces) {
            lengths.push_back(piece.size());
            joined += piece;
        }
        EXPECT_EQ(lengths, c.lengths) << c.text;
        EXPECT_EQ(joined, c.text) << "nothing lost";
    }
}

} // namespace
} // namespace q71::test
