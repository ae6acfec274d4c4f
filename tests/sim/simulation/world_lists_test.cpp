#include "sim/entities/entity.h"
#include "sim/simulation/world_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q71 {
namespace {

constexpr std::uint32_t kNoRecord = 9999;

class WorldLists : public ::testing::Test {
protected:
    ~WorldLists() override {
        worldList().deleteAll();
        worldPendingList().deleteAll();
        for (std::uintptr_t owner : {1, 2, 3})
            worldRemoveEntityObserver(owner);
        worldSetOwnShip(nullptr);
        entitySetIdCounter(0);
    }
    static Entity* add(std::int32_t id, std::int32_t side = 2) {
        auto* entity = new Entity(side, kNoRecord, 1, 3, id);
        worldAddEntity(entity);
        return entity;
    }
};

// What each observer saw, as "owner:flag:id".
std::vector<std::string> seen;
void record(std::uintptr_t owner, Entity* entity, int flag) {
    seen.push_back(std::to_string(owner) + ":" + std::to_string(flag) + ":" + std::to_string(entity->id));
}

TEST_F(WorldLists, FindReturnsTheEntityNearerTheHead) {
    Entity* first = add(7);
    add(8);
    add(7);
    EXPECT_EQ(worldFindEntity(7), first);
    EXPECT_EQ(worldFindEntity(8)->id, 8);
    EXPECT_EQ(worldFindEntity(9), nullptr);
}

TEST_F(WorldLists, FindSeesEveryChangeOfTheList) {
    // After each change the find must answer as a walk from the head does, for every id; a find
    // that kept an entity the list no longer holds would read freed memory (the sanitizers tell).
    const auto walkFind = [](std::int32_t id) -> Entity* {
        for (auto* node = worldList().head(); node; node = node->next)
            if (node->item->id == id)
                return node->item;
        return nullptr;
    };
    const auto agrees = [&] {
        for (std::int32_t id = 0; id <= 8; ++id)
            if (worldFindEntity(id) != walkFind(id))
                return false;
        return true;
    };
    Entity* a = add(3);
    EXPECT_TRUE(agrees());
    Entity* b = add(5);
    add(3);
    EXPECT_TRUE(agrees());
    worldList().remove(a); // the later 3 is found now
    delete a;
    EXPECT_TRUE(agrees());
    EXPECT_EQ(worldFindEntity(3)->id, 3);
    worldList().insertBefore(new Entity(2, kNoRecord, 1, 3, 3), b); // a 3 nearer the head again
    EXPECT_TRUE(agrees());
    worldList().remove(b);
    delete b;
    EXPECT_TRUE(agrees());
    EXPECT_EQ(worldFindEntity(5), nullptr);
    worldList().deleteAll();
    EXPECT_TRUE(agrees());
    EXPECT_EQ(worldFindEntity(3), nullptr);
    add(8);
    EXPECT_TRUE(agrees());
}

TEST_F(WorldLists, AnEntityAddedDuringAWalkIsReachedByIt) {
    add(1);
    add(2);
    std::vector<std::int32_t> walked;
    LinkedList<Entity>& list = worldList();
    for (Entity* e = list.rewind(); e; e = list.advance()) {
        walked.push_back(e->id);
        if (e->id == 1)
            add(3);                           // a launch in the middle of a step
        EXPECT_EQ(worldFindEntity(2)->id, 2); // finding leaves the walk where it is
    }
    EXPECT_EQ(walked, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(list.depth(), 0);
}

TEST_F(WorldLists, NewEntitiesTakeTheNextIdOfTheMission) {
    entitySetIdCounter(41);
    EXPECT_EQ(add(-1)->id, 42);
    EXPECT_EQ(add(-1)->id, 43);
    EXPECT_EQ(add(100)->id, 100);
    EXPECT_EQ(add(-1)->id, 44);
}

TEST_F(WorldLists, ObserversHearAdditionsAndDestructionsInOrder) {
    seen.clear();
    worldAddEntityObserver(1, record);
    worldAddEntityObserver(2, record);
    Entity* e = add(5);
    worldList().remove(e);
    delete e;
    EXPECT_EQ(seen, (std::vector<std::string>{"1:0:5", "2:0:5", "1:1:5", "2:1:5"}));
}

TEST_F(WorldLists, ARemovedObserverIsNeverCalledAgain) {
    seen.clear();
    worldAddEntityObserver(1, record);
    worldAddEntityObserver(2, record);
    worldAddEntityObserver(3, record);
    worldRemoveEntityObserver(2);
    worldRemoveEntityObserver(2); // unknown owner: nothing happens
    add(6);
    EXPECT_EQ(seen, (std::vector<std::string>{"1:0:6", "3:0:6"}));
}

void leaveWhenCalled(std::uintptr_t owner, Entity* entity, int flag) {
    record(owner, entity, flag);
    worldRemoveEntityObserver(owner);
}

TEST_F(WorldLists, AnObserverMayLeaveWhileBeingCalled) {
    seen.clear();
    worldAddEntityObserver(1, record);
    worldAddEntityObserver(2, leaveWhenCalled);
    worldAddEntityObserver(3, record);
    add(4);
    add(5);
    EXPECT_EQ(seen, (std::vector<std::string>{"1:0:4", "2:0:4", "3:0:4", "1:0:5", "3:0:5"}));
}

TEST_F(WorldLists, ContactObserversAreTheirOwnList) {
    static std::vector<int> flags;
    flags.clear();
    worldAddContactObserver(1, [](std::uintptr_t, ContactRecord*, int flag) { flags.push_back(flag); });
    worldNotifyContactObservers(nullptr, kWorldEntityAdded);
    add(1); // an entity is not a contact
    worldNotifyContactObservers(nullptr, kWorldEntityDestroyed);
    worldRemoveContactObserver(1);
    worldNotifyContactObservers(nullptr, kWorldEntityAdded);
    EXPECT_EQ(flags, (std::vector<int>{0, 1}));
}

TEST(WorldSides, HostilityTable) {
    EXPECT_FALSE(worldSidesHostile(1, 3));
    EXPECT_TRUE(worldSidesHostile(1, 2));
    EXPECT_TRUE(worldSidesHostile(2, 1));
    EXPECT_TRUE(worldSidesHostile(2, 3));
    EXPECT_TRUE(worldSidesHostile(6, 2));
    EXPECT_FALSE(worldSidesHostile(2, 2));
    EXPECT_FALSE(worldSidesHostile(1, 1));
    for (int side : {1, 2, 3, 6}) {
        EXPECT_FALSE(worldSidesHostile(4, side));
        EXPECT_FALSE(worldSidesHostile(side, 4));
    }
    EXPECT_TRUE(worldIsNeutral(4));
    EXPECT_FALSE(worldIsNeutral(2));
}

TEST(WorldSides, AffiliationsAreSeenFromTheOwnSide) {
    // Seen from side 1, as in every single-player mission, each side is its own affiliation.
    for (int side : {0, 1, 2, 3, 4, 6})
        EXPECT_EQ(worldAffiliationSeenFrom(1, side), side) << side;
    // Seen from side 2: side 1 (and its ally 3) is the enemy, side 2 the friend, neutrals stay.
    EXPECT_EQ(worldAffiliationSeenFrom(2, 1), 2);
    EXPECT_EQ(worldAffiliationSeenFrom(2, 3), 2);
    EXPECT_EQ(worldAffiliationSeenFrom(2, 2), 1);
    EXPECT_EQ(worldAffiliationSeenFrom(2, 4), 4);
    // Seen from side 3, an ally of side 1: its own side friendly, side 1 as it is.
    EXPECT_EQ(worldAffiliationSeenFrom(3, 3), 1);
    EXPECT_EQ(worldAffiliationSeenFrom(3, 1), 1);
    EXPECT_EQ(worldAffiliationSeenFrom(3, 2), 2);
}

TEST(WorldDesignation, TextTakesTheHighestNumberedSensorType) {
    ContactDesignation d;
    d.letter = 'S';
    EXPECT_STREQ(worldFormatDesignation(d), "");
    d.numbers[0] = 3;
    d.numbers[2] = 7;
    EXPECT_STREQ(worldFormatDesignation(d), "S7");
    d.letter = 'M';
    d.numbers[13] = 99;
    EXPECT_STREQ(worldFormatDesignation(d), "M99");
}

TEST_F(WorldLists, DesignationFindsByTheHighestTypeBelowThirteen) {
    Entity* a = add(1);
    Entity* b = add(2);
    a->designation[0] = 7;
    b->designation[2] = 7;
    b->designation[0] = 3;
    ContactDesignation d;
    d.numbers[0] = 3;
    EXPECT_EQ(worldFindByDesignation(d), b);
    d.numbers[2] = 7; // type 2 outranks type 0
    EXPECT_EQ(worldFindByDesignation(d), b);
    d.numbers[2] = 9; // the highest type decides, even without a match there
    EXPECT_EQ(worldFindByDesignation(d), nullptr);
    ContactDesignation merged;
    merged.numbers[13] = 7; // the merge number is never searched
    EXPECT_EQ(worldFindByDesignation(merged), nullptr);
}

} // namespace
} // namespace q71
