#pragma once
// A world for the tests of mines, countermeasures and aircraft: the harness's platforms (the
// scripted submarine "Hunter", the "Frigate", the torpedo "Fish") with mines, a float, decoys,
// aircraft and their weapons; recording sound and message log, a counted explosion maker, and
// the replay log open. Everything is put back when the test ends.

#include "framework/textmngr/text_manager.h"
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/entity_hooks.h"
#include "sim/scoring/byte_stream.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/support/log_lines.h"
#include "sim/support/scoped_folders.h"
#include "sim/support/scoring_fakes.h"
#include "sim/support/world_harness.h"
#include "support/text_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace q71::test {

/// The records this world adds to the harness's.
enum AirSeaRecord : std::uint32_t {
    kRecordInfluenceMine = 30, ///< "InfluenceMine": a mine of warhead 12
    kRecordContactMine = 31,   ///< "ContactMine": a mine of warhead 10
    kRecordMobileMine = 32,    ///< "slmm": a mobile mine of warhead 12
    kRecordBuoy = 33,          ///< "Buoy": a float
    kRecordDecoy = 34,         ///< "Decoy": a countermeasure
    kRecordCharge = 35,        ///< "Charge": a depth charge
    kRecordSkimmer = 36,       ///< "Skimmer": an anti-ship missile
    kRecordOrion = 40,         ///< "Orion": a patrol aeroplane with missiles and torpedoes
    kRecordSeasprite = 41,     ///< "Seasprite": a helicopter with torpedoes and a sonar
    kRecordBomber = 42,        ///< "Bomber": an aeroplane with depth charges
};

/// The harness's records with those of mines, floats, decoys, aircraft and their weapons.
std::vector<ObjectRecord> airSeaRecords();

class AirSeaWorld : public ::testing::Test {
protected:
    AirSeaWorld();
    ~AirSeaWorld() override;

    /// An entity of a record with the plain motion model, at a place, added to the world.
    Entity& body(std::int32_t side, const char* type, std::int32_t kind, WorldPoint at,
                 std::int32_t level = 2);
    /// Makes an entity of the world the own boat.
    static void makeOwnBoat(Entity& entity);
    /// Moves the game clock (the world is not stepped).
    static void setClock(double t) { simClock().gameClock = t; }
    /// The replay log's events of one kind so far; the log is closed, so this comes at the end of a test.
    static std::vector<ReplayEvent> loggedOfKind(std::int32_t kind);
    /// Explosions made since the test began.
    static int explosions();
    /// A controller's saved form.
    static std::vector<std::uint8_t> saved(const EntityController& controller);
    /// A saved form with a NaN written over the 8 bytes at an offset of its state block.
    static std::vector<std::uint8_t> withNaNAt(std::vector<std::uint8_t> bytes, std::size_t offset);
    /// A controller of a class (made with its owner and `args`) that read a saved form; null when
    /// the load refused it.
    template <class Controller, class... Args>
    static std::unique_ptr<Controller> reloaded(const std::vector<std::uint8_t>& bytes, Entity& owner,
                                                Args... args) {
        auto controller = std::make_unique<Controller>(owner, args...);
        MemorySource source(bytes);
        return controller->load(source) ? std::move(controller) : nullptr;
    }

    PlayerFolder folder;
    TextFixture texts{"782\tMine sur nous\n788\tTouché\n868\tListe\n"};
    RecordTable records{airSeaRecords()};
    RecordingServices services;
    WorldHarness harness{1};
    LogLines log;
};

} // namespace q71::test
