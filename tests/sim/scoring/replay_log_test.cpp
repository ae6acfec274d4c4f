#include "scoring_fixture.h"

#include <cmath>
#include <cstring>

namespace q71 {
namespace {

using test::ScoringTest;
using ReplayLog = ScoringTest;

constexpr std::int32_t kShip = 20;

TEST(ReplayRecord, EveryFieldLiesAtItsOffset) {
    ReplayEvent event;
    event.x = 1.0;
    event.y = 2.0;
    event.z = -3.0;
    event.time = 4.0;
    event.kind = 0x11223344;
    event.range = 5.0;
    event.bearing = 6.0;
    replaySetName(event.subjectName, "Sujet");
    replaySetName(event.objectName, "Objet");
    event.subjectId = 0x01020304;
    event.subjectCategory = 8;
    event.subjectClass = 3;
    event.extra = -1;
    std::array<std::uint8_t, kReplayEventSize> bytes{};
    bytes.fill(0xEE);
    replayEventEncode(event, bytes);
    auto f64At = [&](size_t offset) {
        double value;
        std::memcpy(&value, bytes.data() + offset, 8);
        return value;
    };
    EXPECT_EQ(f64At(0), 1.0);
    EXPECT_EQ(f64At(8), 2.0);
    EXPECT_EQ(f64At(16), -3.0);
    EXPECT_EQ(f64At(24), 4.0);
    EXPECT_EQ(bytes[32], 0x44);
    EXPECT_EQ(bytes[35], 0x11);
    EXPECT_EQ((std::array<std::uint8_t, 4>{bytes[36], bytes[37], bytes[38], bytes[39]}),
              (std::array<std::uint8_t, 4>{}));
    EXPECT_EQ(f64At(40), 5.0);
    EXPECT_EQ(f64At(48), 6.0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 56)), "Sujet");
    EXPECT_EQ(bytes[95], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 96)), "Objet");
    EXPECT_EQ(bytes[136], 0x04);
    EXPECT_EQ(bytes[140], 8);
    EXPECT_EQ(bytes[144], 3);
    EXPECT_EQ(bytes[151], 0xFF);

    const ReplayEvent back = replayEventDecode(bytes);
    EXPECT_EQ(back.z, -3.0);
    EXPECT_EQ(back.kind, 0x11223344);
    EXPECT_EQ(replayName(back.objectName), "Objet");
    EXPECT_EQ(back.subjectId, 0x01020304);
    EXPECT_EQ(back.extra, -1);
}

TEST(ReplayRecord, ANameIsCutTo39Characters) {
    std::array<char, kReplayNameSize> field{};
    replaySetName(field, std::string(45, 'N'));
    EXPECT_EQ(replayName(field), std::string(39, 'N'));
    EXPECT_EQ(field[39], '\0');
}

TEST(ReplayRecord, ReadingKeepsWholeRecordsAndTerminatesNames) {
    std::vector<std::uint8_t> bytes(2 * kReplayEventSize + 100, 'A');
    const auto events = replayLogDecode(bytes);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(replayName(events[1].subjectName), std::string(39, 'A'));
    EXPECT_TRUE(replayLogDecode(std::span<const std::uint8_t>(bytes.data(), 151)).empty());
}

TEST_F(ReplayLog, ARecordCarriesTheWorldsNamesKindsRangeAndBearing) {
    EntityFacts& ship = world.add(kShip, 61, {1000.0 + 300.0, 1000.0 + 400.0, -30.0});
    ship.category = 1;
    ship.kind = 2;
    test::RecordNames names({{61, "Burke"}});
    MissionEvent hit = event(kEventDamaged, kShip, kOwnId, {5.0, 6.0, -7.0}, 88.5);
    hit.extra = 9;
    const ReplayEvent record = replayBuildRecord(hit);
    EXPECT_EQ(record.x, 5.0);
    EXPECT_EQ(record.y, 6.0);
    EXPECT_EQ(record.z, -7.0);
    EXPECT_EQ(record.time, 88.5);
    EXPECT_EQ(record.kind, kEventDamaged);
    EXPECT_EQ(replayName(record.subjectName), "Burke");
    EXPECT_EQ(replayName(record.objectName), "Varden");
    EXPECT_EQ(record.subjectId, kShip);
    EXPECT_EQ(record.subjectCategory, 1);
    EXPECT_EQ(record.subjectClass, 2);
    EXPECT_EQ(record.extra, 9);
    EXPECT_NEAR(record.range, 500.0 * 1.0936, 1e-9);
    EXPECT_NEAR(record.bearing, 180.0 + std::atan2(300.0, 400.0) * 57.29577951308232, 1e-5);
}

TEST_F(ReplayLog, ALossReportedByTheLostEntityItselfHasNoObject) {
    world.add(kShip, 61, {5000.0, 5000.0, 0.0});
    test::RecordNames names({{61, "Burke"}});
    const ReplayEvent record = replayBuildRecord(event(kEventDestroyed, kShip, kShip));
    EXPECT_EQ(replayName(record.subjectName), "Burke");
    EXPECT_EQ(replayName(record.objectName), "");
    EXPECT_EQ(record.range, 0.0);
    EXPECT_EQ(record.bearing, 0.0);
    const ReplayEvent survived = replayBuildRecord(event(kEventSurvived, kShip, kShip));
    EXPECT_EQ(replayName(survived.objectName), "Burke");
}

TEST_F(ReplayLog, AMineReportMeasuresToTheOwnBoatWithoutNamingIt) {
    world.add(30, 90, {1000.0, 3000.0, -20.0});
    const ReplayEvent record = replayBuildRecord(event(kEventMineReport, 30));
    EXPECT_EQ(replayName(record.objectName), "");
    EXPECT_NEAR(record.range, std::hypot(2000.0, 10.0) * 1.0936, 1e-9);
    EXPECT_NEAR(record.bearing, 180.0, 1e-5);
    EXPECT_EQ(replayBuildRecord(event(3, 30)).range, 0.0);
}

TEST_F(ReplayLog, AnUnknownSubjectLeavesItsKindsAndNameEmpty) {
    const ReplayEvent record = replayBuildRecord(event(kEventDamaged, 404, kOwnId));
    EXPECT_EQ(record.subjectId, 404);
    EXPECT_EQ(record.subjectCategory, 0);
    EXPECT_EQ(record.subjectClass, 0);
    EXPECT_EQ(replayName(record.subjectName), "");
    EXPECT_EQ(replayName(record.objectName), "Varden");
    EXPECT_EQ(record.range, 0.0);
}

TEST_F(ReplayLog, RemotePlayersAreNamedByTheNetworkGame) {
    services.joinNetworkGame(true);
    services.network.remoteNames = {{1, "Capitaine Némo"}};
    world.add(1, 61);
    world.add(3, 61);
    test::RecordNames names({{61, "Burke"}});
    EXPECT_EQ(replayName(replayBuildRecord(event(3, 1)).subjectName), "Capitaine Némo");
    EXPECT_EQ(replayName(replayBuildRecord(event(3, 3)).subjectName), "Burke");
    services.joinNetworkGame(false);
    EXPECT_EQ(replayName(replayBuildRecord(event(3, 1)).subjectName), "Burke");
}

TEST_F(ReplayLog, RecordsAppendWhileOpenAndDropWhileClosed) {
    replayLogWrite(event(3, kOwnId), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("replay.log")));
    replayLogOpen();
    EXPECT_TRUE(replayLogIsOpen());
    replayLogWrite(event(3, kOwnId), 0);
    replayLogWrite(event(4, kOwnId), 1);
    replayLogClose();
    replayLogWrite(event(5, kOwnId), 0);
    EXPECT_EQ(test::readFile(folder.file("replay.log")).size(), 2 * kReplayEventSize);
}

TEST_F(ReplayLog, TheReopenFormAppendsAfterTheFinishedMission) {
    replayLogOpen();
    replayLogWrite(event(3, kOwnId), 0);
    replayLogWrite(event(4, kOwnId), 0);
    replayLogClose();
    replayLogWrite(event(12, kOwnId), 1);
    const auto logged = replayLogRead();
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[2].kind, 12);
    EXPECT_FALSE(replayLogIsOpen());
}

TEST_F(ReplayLog, TheReopenFormNeedsAnExistingLog) {
    replayLogWrite(event(12, kOwnId), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("replay.log")));
}

TEST_F(ReplayLog, OpeningStartsANewLog) {
    replayLogOpen();
    replayLogWrite(event(3, kOwnId), 0);
    replayLogOpen();
    replayLogWrite(event(4, kOwnId), 0);
    replayLogClose();
    const auto logged = replayLogRead();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].kind, 4);
}

TEST_F(ReplayLog, OptionFlagsOfTheOwnBoatGoToThePeers) {
    MissionEvent option = event(kEventOptionFlag, kOwnId);
    option.extra = 6;
    replayLogWrite(option, 0);
    services.joinNetworkGame(true);
    replayLogWrite(option, 0); // sent even though nothing is written
    replayLogWrite(event(kEventOptionFlag, kShip), 0);
    const auto& sent = services.network.sent;
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, kNetEventOptionFlag);
    EXPECT_EQ(sent[0].value1, 6);
    EXPECT_EQ(sent[0].value2, 0);
    EXPECT_EQ(sent[0].subject, kOwnId);
}

} // namespace
} // namespace q71
