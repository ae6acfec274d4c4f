#include "sim/entities/contact_list.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace q71
