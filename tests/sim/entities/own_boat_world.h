#pragma once
// A world for the tests of the player's boat: the harness's platforms and the own boat's record,
// texts that show their ids, recording sound, options and message log, a calm isothermal sea, and
// the own submarine itself with its receivers, stepped by the harness as the main loop steps it.
// Everything is put back when the test ends.

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/replay_event.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sound_profile.h"
#include "sim/support/log_lines.h"
#include "sim/support/scoped_folders.h"
#include "sim/support/scoring_fakes.h"
#include "sim/support/world_harness.h"
#include "support/text_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace q71::test {

/// The own boat's record.
inline constexpr std::uint32_t kRecordOwnBoat = 1;

/// What the crew said and the sounds that played, in order.
class CrewRecorder final : public AudioService {
public:
    struct Report {
        CrewChannel channel;
        std::string wave; ///< the phrases of the report, joined by spaces
        int priority;
    };

    SoundSampleId loadSample(std::string_view) override { return 1; }
    SoundVoiceId playSample(SoundSampleId, bool, bool, bool) override { return 0; }
    SoundVoiceId playByName(std::string_view name, bool, bool, bool keep) override {
        effects.emplace_back(name);
        return keep ? effects.size() : 0;
    }
    void setVoiceVolume(SoundVoiceId, int) override {}
    void startVoice(SoundVoiceId) override {}
    void stopVoice(SoundVoiceId) override {}
    void freeVoice(SoundVoiceId) override {}
    void crewQueueSpeech(CrewChannel channel, std::span<const std::string> files, int priority) override;
    void crewReportSonarNumber(bool secondSet, std::string_view leadIn, long number, int minDigits,
                               std::string_view tail, long secondNumber, int priority) override;

    /// The phrases said on a channel, in order.
    std::vector<std::string> said(CrewChannel channel) const;
    /// The first report of a phrase, or null.
    const Report* find(std::string_view wave) const;

    std::vector<Report> reports;
    std::vector<std::string> effects;
};

class OwnBoatWorld : public ::testing::Test {
protected:
    OwnBoatWorld();
    ~OwnBoatWorld() override;

    /// Steps the world (passes of 0.1 s, sub-steps of the world step) for `seconds` of game time.
    void run(double seconds) { harness->run(seconds, 0.1); }
    /// Takes the world down and builds it again, with a new own boat, from the same seed.
    void restart();
    /// Steps until a condition holds or `limit` seconds have passed; true when it holds.
    template <class Condition> bool runUntil(Condition condition, double limit) {
        for (double t = 0.0; t < limit; t += 0.1) {
            if (condition())
                return true;
            harness->pass(0.1);
        }
        return condition();
    }
    /// Places the own boat at a depth, level and at rest, its orders the same.
    void placeBoat(double z, double heading = 0.0);
    /// Puts the own boat under way at a speed it holds, on its heading.
    void underWay(double speed);
    /// A platform of the harness (no patrol) at a place, heading and speed, in the world.
    HarnessEntity& platform(const char* type, std::int32_t side, WorldPoint at, double heading = 0.0,
                            double speed = 0.0);
    /// The message log's lines so far.
    const std::vector<std::string>& logLines() const { return log.lines; }
    /// The replay events logged so far (the log is closed: this comes at the end of a test).
    static std::vector<ReplayEvent> logged();
    /// Sets options field to a value.
    void setOption(int field, std::int32_t value) { services.frontEnd.options[field] = value; }

    SoundProfile profileBefore = soundProfile();
    TextFixture texts;
    PlayerFolder folder;
    RecordTable records;
    RecordingServices services;
    CrewRecorder crew;
    LogLines log;
    std::optional<WorldHarness> harness{std::in_place, 1};
    OwnShipEntity* own = nullptr;
    OwnShipMotion* boat = nullptr;

private:
    void buildBoat();
};

/// The text table of the tests: every text of the own boat as "T" and its id, with the conversions
/// its callers pass.
std::string ownBoatTexts();

/// The harness's records and the own boat's.
std::vector<ObjectRecord> ownBoatRecords();

} // namespace q71::test
