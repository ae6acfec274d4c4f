#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/entity.h"
#include "sim/services/host_screen.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_step.h"
#include "sim/support/scoring_fakes.h"
#include "sim/support/world_harness.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>

namespace q71::test {
namespace {

// An entity that notes the steps it is given.
class Recorder : public Entity {
public:
    explicit Recorder(std::vector<std::string>& journal, double entryTime = -1.0)
        : Entity(1, 9999u, 1, kKindSubsurface, -1), journal_(journal) {
        if (entryTime < 0.0)
            return;
        controller = std::make_unique<EntityController>(*this);
        auto* plan = new ControllerPlan;
        plan->startTime = entryTime;
        controller->addPlan(plan);
    }
    ~Recorder() override { journal_.push_back("deleted " + std::to_string(id)); }
    void step(double dt) override {
        steps.push_back({dt, simClock().gameClock});
        if (endsMission)
            simStopRunning();
        if (asksForDeathScreen)
            worldQueueDeathScreen();
    }
    void updatePerSecond(double elapsed) override {
        journal_.push_back("second " + std::to_string(id));
        seconds.push_back(elapsed);
        if (asksForDeathScreen)
            worldQueueDeathScreen();
    }

    struct Step {
        double dt, clock;
        bool operator==(const Step&) const = default;
    };
    std::vector<Step> steps;
    std::vector<double> seconds;
    bool endsMission = false;
    bool asksForDeathScreen = false;

private:
    std::vector<std::string>& journal_;
};

class WorldStep : public ::testing::Test {
protected:
    Recorder& add(double entryTime = -1.0) { return harness.add(new Recorder(journal, entryTime)); }
    static void advanceAt(double clock, double dt) {
        simClock().gameClock = clock;
        worldAdvance(dt);
    }

    std::vector<std::string> journal; // outlives the entities, which write into it as they go
    RecordingServices services;
    WorldHarness harness{1};
};

TEST_F(WorldStep, StepsWholeSubStepsThenTheRemainderAndEndsOnTheClock) {
    Recorder& entity = add();
    advanceAt(100.0, 1.0);
    ASSERT_EQ(entity.steps.size(), 3u);
    EXPECT_DOUBLE_EQ(entity.steps[0].clock, 99.4);
    EXPECT_DOUBLE_EQ(entity.steps[1].clock, 99.8);
    EXPECT_EQ(entity.steps[0].dt, 0.4);
    EXPECT_EQ(entity.steps[2].clock, 100.0);
    EXPECT_NEAR(entity.steps[2].dt, 0.2, 1e-12);
    EXPECT_EQ(simClock().gameClock, 100.0);
    entity.steps.clear();
    advanceAt(200.0, 0.3);
    EXPECT_EQ(entity.steps, (std::vector<Recorder::Step>{{0.3, 200.0}}));
    entity.steps.clear();
    advanceAt(300.0, 0.8);
    ASSERT_EQ(entity.steps.size(), 3u);
    EXPECT_EQ(entity.steps[2].clock, 300.0);
    EXPECT_GE(entity.steps[2].dt, 0.0); // the last step of nothing is still made
    EXPECT_LT(entity.steps[2].dt, 1e-12);
}

TEST_F(WorldStep, AStepThatEndsTheMissionEndsTheAdvance) {
    services.joinNetworkGame(true);
    Recorder& ending = add();
    Recorder& after = add();
    ending.endsMission = true;
    advanceAt(100.0, 1.0);
    EXPECT_EQ(ending.steps.size(), 1u);
    EXPECT_TRUE(after.steps.empty());
    EXPECT_TRUE(services.network.pairs.empty());
    EXPECT_EQ(simClock().gameClock, 100.0);
    advanceAt(200.0, 1.0); // a stopped world does not step
    EXPECT_EQ(ending.steps.size(), 1u);
}

// A host whose death screen ends the mission at once, as the screen manager does: every entity goes.
class EndingHost final : public HostScreen {
public:
    void ownShipDestroyed() override {}
    void setEngineSound(bool) override {}
    void showDeathScreen() override {
        ++shown;
        const auto* last = static_cast<const Recorder*>(worldList().tail()->item);
        lastSteps = last->steps.size();
        lastSeconds = last->seconds.size();
        worldList().deleteAll();
        simStopRunning();
    }
    int shown = 0;
    std::size_t lastSteps = 0, lastSeconds = 0; ///< of the last entity of the list, when shown
};

TEST_F(WorldStep, TheDeathScreenAskedForInAWalkComesOnceTheWalkIsOver) {
    EndingHost host;
    simInstallServices({.host = &host});
    for (const bool perSecond : {false, true}) {
        SCOPED_TRACE(perSecond);
        add();
        add().asksForDeathScreen = true;
        add();
        simStartRunning();
        if (perSecond)
            worldSecondPass(1.0);
        else
            advanceAt(100.0, 1.0);
        EXPECT_EQ(host.shown, perSecond ? 2 : 1);
        // The walk went on to its end with every entity there; then the mission ended.
        EXPECT_EQ(perSecond ? host.lastSeconds : host.lastSteps, perSecond ? 1u : 3u);
        EXPECT_TRUE(worldList().empty());
    }
    simInstallServices({});
}

TEST_F(WorldStep, SendsTheClockToThePeersOnceAMinuteAndAfterItWasSetBack) {
    simClock().lastNetworkClockTime = 0.0; // as at the program's start, whatever ran before
    services.joinNetworkGame(true);
    add();
    advanceAt(60.0, 0.4);
    EXPECT_TRUE(services.network.pairs.empty());
    advanceAt(60.5, 0.4);
    ASSERT_EQ(services.network.pairs.size(), 1u);
    const auto& sent = services.network.pairs[0];
    EXPECT_EQ(sent.code, 9);
    EXPECT_EQ(sent.subject, -1);
    EXPECT_EQ(std::bit_cast<double>(std::uint64_t{sent.high} << 32 | sent.low), 60.5);
    advanceAt(100.0, 0.4);
    EXPECT_EQ(services.network.pairs.size(), 1u);
    advanceAt(30.0, 0.4); // set back
    EXPECT_EQ(services.network.pairs.size(), 2u);
}

TEST_F(WorldStep, RemovalWaitsForThePerSecondPass) {
    Recorder& first = add();
    Recorder& doomed = add();
    Recorder& last = add();
    const std::int32_t doomedId = doomed.id;
    doomed.markForRemoval();
    advanceAt(10.0, 0.4);
    EXPECT_TRUE(doomed.steps.empty()); // not stepped again, but still there
    EXPECT_EQ(worldFindEntity(doomedId), &doomed);
    worldSecondPass(1.5);
    EXPECT_EQ(worldFindEntity(doomedId), nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"second " + std::to_string(first.id),
                                                 "deleted " + std::to_string(doomedId),
                                                 "second " + std::to_string(last.id)}));
    EXPECT_EQ(last.seconds, std::vector<double>{1.5});
}

void noteDestroyed(std::uintptr_t owner, Entity* entity, int flag) {
    reinterpret_cast<std::vector<std::string>*>(owner)->push_back("observer " + std::to_string(flag) + " " +
                                                                  std::to_string(entity->id));
}

TEST_F(WorldStep, ARemovedEntityLeavesEveryonesContactsBeforeItGoes) {
    HarnessEntity& hunter = harness.add(new HarnessEntity(1, "Nothing", 2, kKindSurface, {}, 0.0, 0.0));
    Recorder& doomed = add();
    auto* contact = new ContactRecord;
    contact->entityId = doomed.id;
    hunter.contacts.appendItem(contact);
    hunter.controller->target = contact;
    worldAddEntityObserver(reinterpret_cast<std::uintptr_t>(&journal), noteDestroyed);
    doomed.markForRemoval();
    const std::int32_t id = doomed.id;
    worldSecondPass(1.5);
    worldRemoveEntityObserver(reinterpret_cast<std::uintptr_t>(&journal));
    EXPECT_TRUE(hunter.contacts.empty());
    EXPECT_EQ(hunter.controller->target, nullptr);
    // The class goes first, then the entity tells the observers.
    EXPECT_EQ(journal, (std::vector<std::string>{"deleted " + std::to_string(id),
                                                 "observer 1 " + std::to_string(id)}));
}

TEST_F(WorldStep, PendingEntitiesEnterInOrderWhenTheirTimeComes) {
    std::vector<Recorder*> waiting;
    for (double entry : {30.0, 20.0, 20.0})
        worldPendingList().appendItem(waiting.emplace_back(new Recorder(journal, entry)));
    auto* planless = new Recorder(journal); // never made by a scenario: enters at once
    worldPendingList().appendItem(planless);
    simClock().gameClock = 19.0;
    worldSecondPass(1.5);
    EXPECT_EQ(worldList().count(), 1);
    simClock().gameClock = 20.0;
    worldSecondPass(1.5);
    ASSERT_EQ(worldList().count(), 3);
    EXPECT_EQ(worldList().head()->next->item, waiting[1]);
    EXPECT_EQ(worldList().tail()->item, waiting[2]);
    EXPECT_EQ(worldPendingList().count(), 1);
}

TEST_F(WorldStep, TheMainLoopStepsWhenATenthHasComeAndCatchesUpTenSecondsAtATime) {
    Recorder& entity = add();
    harness.pass(0.05);
    EXPECT_TRUE(entity.steps.empty());
    harness.pass(0.05);
    EXPECT_EQ(entity.steps.size(), 1u);
    EXPECT_TRUE(entity.seconds.empty());
    for (int i = 0; i < 9; ++i)
        harness.pass(0.1);
    EXPECT_TRUE(entity.seconds.empty()); // a second exactly: the pass wants strictly more
    harness.pass(0.1);
    EXPECT_EQ(entity.seconds.size(), 1u);
    entity.steps.clear();
    const double behind = simClock().gameClock - simClock().lastStepTime;
    harness.pass(25.0);                  // a long frame
    EXPECT_EQ(entity.steps.size(), 26u); // 10 s: 25 sub-steps and a remainder
    EXPECT_NEAR(simClock().gameClock - simClock().lastStepTime, behind + 15.0, 1e-9);
    harness.pass(0.0);
    harness.pass(0.0);
    EXPECT_NEAR(simClock().gameClock - simClock().lastStepTime, 0.0, 1e-9); // caught up
}

TEST_F(WorldStep, AClockSetBackStartsTheStepTimesAgain) {
    add();
    harness.run(30.0, 1.0);
    simSetGameTime(5.0);
    simClock().lastStepTime = simClock().lastSecondPassTime = 30.0; // as a loaded mission leaves them
    harness.pass(0.0);
    EXPECT_EQ(simClock().lastStepTime, 5.0);
    EXPECT_EQ(simClock().lastSecondPassTime, 5.0);
}

TEST_F(WorldStep, APausedOrStoppedWorldIsNotStepped) {
    Recorder& entity = add();
    simPause(true);
    harness.pass(1.0);
    simPause(false);
    EXPECT_TRUE(entity.steps.empty());
    simStopRunning();
    harness.pass(1.0);
    EXPECT_TRUE(entity.steps.empty());
}

} // namespace
} // namespace q71::test
