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

} // namespace
} // namespace q71
