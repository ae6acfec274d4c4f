#include "sim/entities/contact_list.h"

#include <gtest/gtest.h>

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

TEST_F(Contacts, AreFoundByAnIdSetAfterTheyWereAdded) {
    ContactRecord* late = about(0);
    list.appendItem(late);
    late->entityId = 42; // as a loader fills a record it has already handed over
    EXPECT_EQ(list.find(42), late);
    EXPECT_EQ(list.find(0), nullptr);
    late->entityId = 43;
    EXPECT_EQ(list.find(43), late);
    EXPECT_EQ(list.find(42), nullptr);
}

TEST_F(Contacts, ARemovedRecordIsNeverFoundAgain) {
    ContactRecord* gone = about(5);
    list.appendItem(gone);
    gone->entityId = 6;
    ASSERT_EQ(list.find(6), gone); // now known under both ids
    list.remove(gone);
    delete gone;
    EXPECT_EQ(list.find(5), nullptr);
    EXPECT_EQ(list.find(6), nullptr);
    ContactRecord* next = about(6);
    list.appendItem(next);
    EXPECT_EQ(list.find(6), next);
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

} // namespace
} // namespace q71
