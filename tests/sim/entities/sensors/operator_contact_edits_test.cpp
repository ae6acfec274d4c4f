// The TMA operator's edits of the own boat's contact list: two contacts joined into one track
// that keeps every fix, and a contact removed, the contact observers told of each.
#include "receiver_world.h"

#include "sim/entities/sensors/own_boat_contacts.h"

#include <utility>
#include <vector>

namespace q71::test {
namespace {

std::vector<std::pair<ContactRecord*, int>> told;

void recordContact(std::uintptr_t, ContactRecord* contact, int flag) {
    told.emplace_back(contact, flag);
}

class OperatorContactEdits : public ReceiverWorld {
protected:
    OperatorContactEdits() {
        told.clear();
        worldAddContactObserver(1, recordContact);
    }
    ~OperatorContactEdits() override { worldRemoveContactObserver(1); }

    // A contact of a letter with a number for one type and fixes of given types at given times.
    ContactRecord* add(char letter, int type, int number, std::vector<std::pair<int, double>> fixes) {
        auto* contact = new ContactRecord;
        contact->entityId = ++serial_;
        contact->designation.letter = static_cast<std::uint8_t>(letter);
        contact->designation.numbers[static_cast<std::size_t>(type)] = static_cast<std::uint8_t>(number);
        for (const auto& [fixType, time] : fixes) {
            ContactFix fix;
            fix.time = time;
            fix.sensorType = fixType;
            fix.bearing = time * 10.0;
            contact->fixes[static_cast<std::size_t>(fixType)].push(fix, 100);
        }
        own->contacts.appendItem(contact);
        return contact;
    }
    static std::vector<double> times(const FixList& list) {
        std::vector<double> out;
        for (std::size_t age = 0; age < list.size(); ++age)
            out.push_back(list[age].time);
        return out;
    }

private:
    std::int32_t serial_ = 5000;
};

TEST_F(OperatorContactEdits, JoinIntoOneMergedTrackKeepingEveryFixNewestFirst) {
    ContactRecord* sonar = add('S', kSensorPassive, 3, {{2, 1.0}, {2, 3.0}, {2, 5.0}});
    ContactRecord* radar = add('R', kSensorRadar, 1, {{2, 2.0}, {2, 4.0}, {7, 6.0}});
    ASSERT_TRUE(ownBoatJoinContacts(*own, sonar, radar));
    ASSERT_EQ(own->contacts.count(), 1);
    EXPECT_EQ(own->contacts.head()->item, sonar);
    EXPECT_EQ(times(sonar->fixes[kSensorPassive]), (std::vector<double>{5, 4, 3, 2, 1}));
    EXPECT_EQ(sonar->fixes[kSensorPassive][1].bearing, 40.0); // the fixes themselves, not copies of one
    EXPECT_EQ(times(sonar->fixes[kSensorRadar]), (std::vector<double>{6}));
    EXPECT_EQ(sonar->designation.letter, 'M');
    EXPECT_EQ(sonar->designation.numbers[kSensorMerged], 1);
    EXPECT_EQ(sonar->designation.numbers[kSensorPassive], 3);
    EXPECT_EQ(sonar->designation.numbers[kSensorRadar], 1);
    ASSERT_EQ(own->numbered.size(), 1u);
    EXPECT_EQ(own->numbered[0].type, kSensorMerged);
    EXPECT_EQ(told, (std::vector<std::pair<ContactRecord*, int>>{{radar, kWorldEntityDestroyed}}));

    // A merged track joined again keeps its number; the boat's fix limit holds.
    own->maxFixes = 4;
    ContactRecord* late = add('S', kSensorPassive, 4, {{2, 0.5}, {2, 7.0}});
    ASSERT_TRUE(ownBoatJoinContacts(*own, sonar, late));
    EXPECT_EQ(times(sonar->fixes[kSensorPassive]), (std::vector<double>{7, 5, 4, 3}));
    EXPECT_EQ(sonar->designation.numbers[kSensorMerged], 1);
    EXPECT_EQ(own->numbered.size(), 1u);
}

TEST_F(OperatorContactEdits, JoinNothingWithoutTwoContactsOfTheList) {
    ContactRecord* sonar = add('S', kSensorPassive, 3, {{2, 1.0}});
    ContactRecord stray;
    stray.entityId = 9999;
    for (auto [first, second] : {std::pair{sonar, sonar}, std::pair{sonar, &stray}, std::pair{&stray, sonar},
                                 std::pair<ContactRecord*, ContactRecord*>{sonar, nullptr}}) {
        EXPECT_FALSE(ownBoatJoinContacts(*own, first, second));
        EXPECT_EQ(sonar->designation.letter, 'S');
        EXPECT_EQ(sonar->fixes[kSensorPassive].size(), 1u);
    }
    EXPECT_EQ(own->contacts.count(), 1);
    EXPECT_TRUE(own->numbered.empty());
    EXPECT_TRUE(told.empty());
}

TEST_F(OperatorContactEdits, RemoveOnlyAContactOfTheList) {
    ContactRecord* sonar = add('S', kSensorPassive, 3, {});
    ContactRecord* radar = add('R', kSensorRadar, 1, {});
    ContactRecord stray;
    EXPECT_FALSE(ownBoatRemoveContact(*own, &stray));
    EXPECT_FALSE(ownBoatRemoveContact(*own, nullptr));
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(ownBoatRemoveContact(*own, sonar));
    EXPECT_EQ(told, (std::vector<std::pair<ContactRecord*, int>>{{sonar, kWorldEntityDestroyed}}));
    ASSERT_EQ(own->contacts.count(), 1);
    EXPECT_EQ(own->contacts.head()->item, radar);
}

} // namespace
} // namespace q71::test
