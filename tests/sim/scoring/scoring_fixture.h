#pragma once
// A mission for the tests of scoring: a hand-built world with the own boat (id 7), recording
// services, the player's folder in a scratch folder, and a clean goal tree, score, queue and log.

#include "platform/settings/settings_store.h"
#include "sim/radio/comms_queue.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring.h"
#include "sim/scoring/scoring_state.h"
#include "sim/support/scoped_folders.h"
#include "sim/support/scoring_fakes.h"

#include <gtest/gtest.h>

namespace q71::test {

class ScoringTest : public testing::Test {
protected:
    static constexpr std::int32_t kOwnId = 7;

    void SetUp() override {
        // Settings a test before installed fix the player's folder where it was then; without
        // them the folder is the scratch one named by the environment.
        settingsUnload();
        reset();
        world.addOwnBoat(kOwnId, {1000.0, 1000.0, -30.0}).kind = 3;
        commsQueueSetShipName("Varden");
    }
    void TearDown() override { reset(); }

    static void reset() {
        goalTreeClear();
        scoringState() = ScoringState{};
        commsQueueClear();
        commsQueueSetShipName("");
        replayLogClose();
    }

    /// A goal of a kind added at the root level (or under a parent), returned for further setting.
    GoalNode& addGoal(std::int32_t kind, GoalNode* parent = nullptr) {
        GoalNode node;
        node.kind = kind;
        return *goalTreeAddNode(node, parent);
    }

    static MissionEvent event(std::int32_t kind, std::int32_t subject, std::int32_t object = 0,
                              WorldPoint at = {}, double time = 0.0) {
        MissionEvent e;
        e.kind = kind;
        e.subject = subject;
        e.object = object;
        e.x = at.x;
        e.y = at.y;
        e.z = at.z;
        e.time = time;
        return e;
    }

    PlayerFolder folder;
    FakeMissionWorld world;
    RecordingServices services;
};

} // namespace q71::test
