#include "sim/entities/contact_list.h"
#include "support/list_walks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <random>
#include <vector>

namespace q71 {
namespace {

ContactRecord* about(std::int32_t entityId) {
    auto* contact = new ContactRecord;
    contact->entityId = entityId;
    return contact;
}

class Contacts : public ::testing::Test {
protected:
    ~Contacts() override { list.deleteAll(); }
    ContactList list;
};

TEST_F(Contacts, AreFoundByTheEntityTheyAreAbout) {
    ContactRecord* first = about(7);
    list.appendItem(first);
    list.appendItem(about(8));
    EXPECT_EQ(list.find(7), first);
    EXPECT_EQ(list.find(8)->entityId, 8);
    EXPECT_EQ(list.find(9), nullptr);
}

TEST_F(Contacts, TwoRecordsAboutOneEntityAreFoundInTheOrderTheyCame) {
    ContactRecord* first = about(42); // as a damaged saved mission may hold them
    ContactRecord* second = about(42);
    list.appendItem(first);
    list.appendItem(second);
    EXPECT_EQ(list.find(42), first);
    list.remove(first);
    delete first;
    EXPECT_EQ(list.find(42), second);
}

TEST_F(Contacts, ARemovedRecordIsNeverFoundAgain) {
    ContactRecord* gone = about(5);
    list.appendItem(gone);
    list.remove(gone);
    delete gone;
    EXPECT_EQ(list.find(5), nullptr);
    ContactRecord* next = about(5);
    list.appendItem(next);
    EXPECT_EQ(list.find(5), next);
}

TEST_F(Contacts, ARecordWhoseIdWasChangedStillLeavesTheIndexWhenRemoved) {
    ContactRecord* changed = about(5);
    list.appendItem(changed);
    changed->entityId = 6; // against the rule; the index must not keep it once it is gone
    list.remove(changed);
    delete changed;
    EXPECT_EQ(list.find(5), nullptr);
    EXPECT_EQ(list.find(6), nullptr);
}

TEST_F(Contacts, AWalkThatRemovesGoesOnWithTheNext) {
    for (std::int32_t id : {1, 2, 3})
        list.appendItem(about(id));
    std::vector<std::int32_t> walked;
    for (ContactRecord* contact = list.rewind(); contact; contact = list.advance()) {
        walked.push_back(contact->entityId);
        if (contact->entityId == 2) {
            list.remove(contact);
            delete contact;
        }
    }
    EXPECT_EQ(walked, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.find(3)->entityId, 3);
}

// The first record about an id in list order, found by walking, as the index must answer.
ContactRecord* walkFind(ContactList& list, std::int32_t entityId) {
    for (auto* node = list.head(); node; node = node->next)
        if (node->item->entityId == entityId)
            return node->item;
    return nullptr;
}

TEST_F(Contacts, FindAnswersAsAWalkOfTheListThroughRandomChanges) {
    // Few ids, so that records about one id pile up and the table's runs collide and wrap; many
    // ids, so that it grows; ids far apart and negative, as the own boat's and loaded ones are.
    std::mt19937 random(47);
    struct Layout {
        std::int32_t lowest, highest;
    };
    for (const Layout layout : {Layout{1, 12}, Layout{0, 2000}, Layout{-70000, 70000}}) {
        std::uniform_int_distribution<std::int32_t> id(layout.lowest, layout.highest);
        std::uniform_int_distribution<std::int32_t> probed(layout.lowest - 6, layout.highest + 6);
        std::vector<ContactRecord*> listed;
        int hits = 0, misses = 0, duplicatesRemoved = 0;
        for (int step = 0; step < 20000; ++step) {
            const bool grow = step % 5000 < 3000; // fill, then mostly empty, several times
            if (listed.empty() || (random() % 3 != 0) == grow) {
                listed.push_back(about(id(random)));
                list.appendItem(listed.back());
            } else {
                const std::size_t at = random() % listed.size();
                ContactRecord* gone = listed[at];
                if (walkFind(list, gone->entityId) != gone)
                    ++duplicatesRemoved;
                listed.erase(listed.begin() + static_cast<std::ptrdiff_t>(at));
                list.remove(gone);
                delete gone;
            }
            // An id that is listed, and any id at all.
            for (const bool listedId : {true, false}) {
                const std::int32_t asked =
                    listedId && !listed.empty() ? listed[random() % listed.size()]->entityId : probed(random);
                ContactRecord* expected = walkFind(list, asked);
                ASSERT_EQ(list.find(asked), expected) << "id " << asked << " at step " << step;
                ++(expected ? hits : misses);
            }
        }
        EXPECT_GT(hits, 1000);
        EXPECT_GT(misses, 1000);
        list.deleteAll();
        for (std::int32_t asked = layout.lowest; asked <= layout.highest; asked += 7)
            ASSERT_EQ(list.find(asked), nullptr);
        if (layout.highest - layout.lowest < 100) {
            EXPECT_GT(duplicatesRemoved, 100);
        }
    }
}

// Every change made to the contact list (pooled nodes, records unlinked through the index,
// records recycled) is made to a plain list too: both hold the same records in the same order
// and stand on the same one after every step, walks that drop records included.
TEST_F(Contacts, ChangesAndWalksActAsThoseOfAPlainList) {
    std::mt19937 random(1047);
    std::uniform_int_distribution<std::int32_t> id(1, 40);
    LinkedList<ContactRecord> plain; // holds, never owns
    std::vector<ContactRecord*> listed;
    ContactRecord stray; // never listed
    stray.entityId = 3;
    const auto drop = [&](ContactRecord* contact) {
        listed.erase(std::find(listed.begin(), listed.end(), contact));
        plain.remove(contact);
        if (random() % 2) {
            list.recycle(contact);
        } else {
            list.remove(contact);
            delete contact;
        }
    };
    for (int step = 0; step < 20000; ++step) {
        switch (random() % 6) {
        case 0:
        case 1: {
            ContactRecord* contact = random() % 2 ? list.newRecord() : new ContactRecord;
            contact->entityId = id(random);
            listed.push_back(contact);
            ASSERT_EQ(list.appendItem(contact), plain.appendItem(contact));
            break;
        }
        case 2:
            if (!listed.empty())
                drop(listed[random() % listed.size()]);
            break;
        case 3:
            ASSERT_EQ(list.remove(&stray), plain.remove(&stray));
            break;
        case 4: // a walk that drops some of the records it stands on, inside a saved cursor
            ASSERT_NO_FATAL_FAILURE(test::walkSideBySide(list, plain, [&](ContactRecord* contact, int) {
                if (random() % 4 == 0)
                    drop(contact);
            }));
            break;
        default:
            ASSERT_EQ(list.next(), plain.next());
            break;
        }
        ASSERT_EQ(test::listOrder(list), test::listOrder(plain)) << "step " << step;
        ASSERT_EQ(list.current(), plain.current()) << "step " << step;
        ASSERT_EQ(list.count(), plain.count());
        const std::int32_t asked = id(random);
        ASSERT_EQ(list.find(asked), walkFind(list, asked)) << "id " << asked << " at step " << step;
    }
    plain.freeNodes();
}

// A hint asks for memory and nothing else: after hints on listed ids, ids never listed and ids
// whose records are gone, every find still answers a walk and the list and its cursor are as
// they were, whatever the table holds (nothing yet, one id, records about one id waiting, a
// table grown and emptied again).
TEST_F(Contacts, AHintChangesNoFindNorTheList) {
    struct Layout {
        const char* name;
        std::vector<std::int32_t> listed;
        std::vector<std::int32_t> removedAfter;
    };
    std::vector<std::int32_t> many(300);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = static_cast<std::int32_t>(i * 37) - 5000;
    const std::vector<Layout> layouts{
        {"no table yet", {}, {}},
        {"one id", {4}, {}},
        {"records about one id waiting", {8, 8, 8, 9}, {8}},
        {"grown, then mostly emptied", many, std::vector<std::int32_t>(many.begin(), many.end() - 3)},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        for (const std::int32_t id : layout.listed)
            list.appendItem(about(id));
        for (const std::int32_t id : layout.removedAfter) {
            ContactRecord* gone = list.find(id);
            list.remove(gone);
            delete gone;
        }
        ContactRecord* first = list.head() ? list.head()->item : nullptr;
        list.setCursor(list.head());
        const auto before = test::listOrder(list);
        for (std::int32_t asked = -5010; asked < 7000; asked += 1) {
            list.prefetchSlot(asked);
            list.prefetch(asked);
        }
        EXPECT_EQ(test::listOrder(list), before);
        EXPECT_EQ(list.current(), first);
        for (std::int32_t asked = -5010; asked < 7000; asked += 1)
            ASSERT_EQ(list.find(asked), walkFind(list, asked)) << "id " << asked;
        list.deleteAll();
    }
}

// A record handed back comes out again as a new one, whatever it held.
TEST_F(Contacts, ARecycledRecordComesBackAsANewOne) {
    ContactRecord* used = about(9);
    used->reaction = kReactionAttack;
    used->classified = 1;
    used->recordId = 77;
    used->belowLayer = 1;
    used->designation.letter = 'S';
    used->designation.numbers[3] = 4;
    used->side = 2;
    used->kind = 3;
    for (double* value : {&used->classifyTime, &used->bearing, &used->range, &used->course, &used->speed,
                          &used->rangeRate, &used->lastUpdate, &used->heldTime, &used->sinceFix})
        *value = 12.5;
    used->quality = 80;
    used->referenceFlag = 1;
    ContactFix fix;
    fix.time = 30.0;
    for (FixList& fixes : used->fixes)
        for (int i = 0; i < 5; ++i)
            fixes.push(fix, 3);
    list.appendItem(used);
    list.recycle(used);
    EXPECT_EQ(list.find(9), nullptr);

    ContactRecord* again = list.newRecord();
    const ContactRecord fresh;
    EXPECT_EQ(again->reaction, fresh.reaction);
    EXPECT_EQ(again->classified, fresh.classified);
    EXPECT_EQ(again->recordId, fresh.recordId);
    EXPECT_EQ(again->entityId, fresh.entityId);
    EXPECT_EQ(again->belowLayer, fresh.belowLayer);
    EXPECT_EQ(again->designation.letter, fresh.designation.letter);
    EXPECT_EQ(again->designation.numbers, fresh.designation.numbers);
    EXPECT_EQ(again->side, fresh.side);
    EXPECT_EQ(again->kind, fresh.kind);
    for (double ContactRecord::*value :
         {&ContactRecord::classifyTime, &ContactRecord::bearing, &ContactRecord::range,
          &ContactRecord::course, &ContactRecord::speed, &ContactRecord::rangeRate,
          &ContactRecord::lastUpdate, &ContactRecord::heldTime, &ContactRecord::sinceFix})
        EXPECT_EQ(again->*value, fresh.*value);
    EXPECT_EQ(again->quality, fresh.quality);
    EXPECT_EQ(again->referenceFlag, fresh.referenceFlag);
    for (const FixList& fixes : again->fixes)
        EXPECT_TRUE(fixes.empty());
    // Its fix lists work from empty as a new record's do.
    fix.time = 40.0;
    again->fixes[0].push(fix, 3);
    ASSERT_EQ(again->fixes[0].size(), 1u);
    EXPECT_EQ(again->fixes[0].newest().time, 40.0);
    delete again;
}

} // namespace
} // namespace q71
