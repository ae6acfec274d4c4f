#include "sim/world/object_database.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace q71 {
namespace {

ObjectRecord makeRecord(std::uint32_t id, std::string_view key, std::string_view category = "ship") {
    ObjectRecord record;
    record.id = id;
    record.keyName.assign(key);
    record.categoryWord.assign(category);
    return record;
}

std::string fileOf(const std::vector<ObjectRecord>& records) {
    std::string bytes;
    for (const ObjectRecord& record : records) {
        const auto encoded = objectRecordEncode(record);
        bytes.append(encoded.begin(), encoded.end());
    }
    return bytes;
}

class ObjectDatabase : public ::testing::Test {
protected:
    ~ObjectDatabase() override { objdbFree(); }
    bool load(const std::string& bytes) { return objdbLoadFile(dir.write("Database/objects.db", bytes)); }
    test::TempDir dir;
};

TEST_F(ObjectDatabase, FindsByNameWithoutRegardToCase) {
    ASSERT_TRUE(load(fileOf({makeRecord(3, "Burke"), makeRecord(1, "Q71i", "sub")})));
    ASSERT_NE(objdbFindByName("BURKE"), nullptr);
    EXPECT_EQ(objdbFindByName("burke")->id, 3u);
    EXPECT_EQ(objdbFindByName("q71I")->id, 1u);
    EXPECT_EQ(objdbFindByName("Burk"), nullptr);
    EXPECT_EQ(objdbFindByName("Burkes"), nullptr);
    EXPECT_EQ(objdbFindByName(""), nullptr);
}

TEST_F(ObjectDatabase, FirstMatchInFileOrderWins) {
    ASSERT_TRUE(load(fileOf({makeRecord(7, "Twin"), makeRecord(7, "twin"), makeRecord(8, "Other")})));
    EXPECT_EQ(objdbFindById(7), objdbGetByIndex(0));
    EXPECT_EQ(objdbFindByName("TWIN"), objdbGetByIndex(0));
    EXPECT_EQ(objdbFindById(8), objdbGetByIndex(2));
    EXPECT_EQ(objdbFindById(9), nullptr);
}

TEST_F(ObjectDatabase, IndexOutsideTheTableFindsNothing) {
    ASSERT_TRUE(load(fileOf({makeRecord(1, "A"), makeRecord(2, "B")})));
    EXPECT_EQ(objdbCount(), 2);
    EXPECT_EQ(objdbGetByIndex(-1), nullptr);
    EXPECT_EQ(objdbGetByIndex(2), nullptr);
    ASSERT_NE(objdbGetByIndex(1), nullptr);
    EXPECT_EQ(objdbGetByIndex(1)->keyName.view(), "B");
}

TEST_F(ObjectDatabase, PartialTailIsIgnored) {
    std::string bytes = fileOf({makeRecord(1, "A"), makeRecord(2, "B")});
    ASSERT_EQ(bytes.size(), 808u);
    bytes.append(100, '\x7f');
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(objdbCount(), 2);
    ASSERT_TRUE(load(bytes.substr(0, 403)));
    EXPECT_EQ(objdbCount(), 0);
}

TEST_F(ObjectDatabase, MissingFileLeavesItEmpty) {
    ASSERT_TRUE(load(fileOf({makeRecord(1, "A")})));
    EXPECT_FALSE(objdbLoadFile(dir.file("nowhere.db")));
    EXPECT_EQ(objdbCount(), 0);
    EXPECT_EQ(objdbFindById(1), nullptr);
}

TEST_F(ObjectDatabase, KeyFilledToItsWidthEndsThere) {
    std::string bytes = fileOf({makeRecord(1, "")});
    bytes.replace(0, 20, "ABCDEFGHIJKLMNOPQRST"); // no NUL in the key field
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(objdbGetByIndex(0)->keyName.view(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_NE(objdbFindByName("abcdefghijklmnopqrst"), nullptr);
}

TEST(ObjectCategory, WordsAreComparedExactly) {
    EXPECT_EQ(worldCategoryIndex("sub"), kCategorySub);
    EXPECT_EQ(worldCategoryIndex("missile"), kCategoryMissile);
    EXPECT_EQ(worldCategoryIndex("helo"), kCategoryHelo);
    EXPECT_EQ(worldCategoryIndex("Sub"), kCategoryOther);
    EXPECT_EQ(worldCategoryIndex("sub "), kCategoryOther);
    EXPECT_EQ(worldCategoryIndex(""), kCategoryOther);
    EXPECT_EQ(makeRecord(1, "X", "depth").category(), kCategoryDepth);
}

TEST(ObjectRecordLayout, FieldsLieApartInsideTheRecord) {
    std::vector<int> owner(kObjectRecordSize, -1);
    int field = 0;
    ObjectRecord record;
    objectRecordLayout(record, [&](std::size_t offset, const auto& value) {
        ASSERT_LE(offset + sizeof value, kObjectRecordSize) << "field " << field;
        for (std::size_t i = offset; i < offset + sizeof value; ++i) {
            ASSERT_EQ(owner[i], -1) << "byte " << i << " of fields " << owner[i] << " and " << field;
            owner[i] = field;
        }
        ++field;
    });
}

TEST(ObjectRecordLayout, FieldsOtherPartsReadSitWhereTheyReadThem) {
    ObjectRecord record;
    record.id = 0x01020304;
    record.modelName.assign("Hull");
    record.kind = 2;
    record.mastHeight = 1.5f;
    record.length = 505;
    record.maxSpeed = 31;
    record.testDepth = -800;
    record.crushDepth = -1200;
    record.weapons[1].count = 6;
    record.signatureFactor = 2.0f;
    record.armour = 9;
    record.signatureValues[0] = 120;
    record.signatureParameters[1] = 33;
    record.activeSonar = 3;
    record.weaponValue = -2;
    const auto bytes = objectRecordEncode(record);
    const auto i16 = [&](int at) { return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8); };
    EXPECT_EQ(bytes[20], 4);
    EXPECT_EQ(bytes[23], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[64])), "Hull");
    EXPECT_EQ(bytes[128], 2);
    EXPECT_EQ(bytes[223], 0x3f); // 1.5f = 0x3fc00000
    EXPECT_EQ(i16(224), 505);
    EXPECT_EQ(i16(234), 31);
    EXPECT_EQ(i16(236), -800);
    EXPECT_EQ(i16(238), -1200);
    EXPECT_EQ(i16(282), 6);
    EXPECT_EQ(bytes[311], 0x40); // 2.0f = 0x40000000
    EXPECT_EQ(bytes[336], 9);
    EXPECT_EQ(bytes[340], 120);
    EXPECT_EQ(bytes[364], 33);
    EXPECT_EQ(i16(378), 3);
    EXPECT_EQ(bytes[392], 0xfe);
    EXPECT_EQ(bytes[395], 0xff);
}

TEST(ObjectRecordLayout, DecodeGivesBackWhatWasEncoded) {
    ObjectRecord record = makeRecord(42, "Sovremenny", "ship");
    record.displayName.assign("Destroyer");
    record.thirdModelName.assign("Wreck");
    record.size = 1010.5f;
    record.animatedParts[3] = {517, 5, -2.5f};
    record.weapons[2].keyName.assign("SA-N-7");
    record.fallbackRange = 3.25f;
    record.signatureValues = {300, 420, 0, 0, 1800};
    record.extraValueC = -7;
    const auto bytes = objectRecordEncode(record);
    const ObjectRecord decoded = objectRecordDecode(bytes);
    EXPECT_EQ(objectRecordEncode(decoded), bytes);
    EXPECT_EQ(decoded.displayName.view(), "Destroyer");
    EXPECT_EQ(decoded.animatedParts[3].tag, 517);
    EXPECT_FLOAT_EQ(decoded.animatedParts[3].rate, -2.5f);
    EXPECT_EQ(decoded.weapons[2].keyName.view(), "SA-N-7");
    EXPECT_EQ(decoded.signatureValues[4], 1800);
}

TEST(ObjectRecordLayout, FiguresThatAreNoFiniteNumberReadAsNotGiven) {
    ObjectRecord record = makeRecord(7, "Damaged");
    record.sonarFigure = std::numeric_limits<float>::quiet_NaN();
    record.radarFigure = std::numeric_limits<float>::infinity();
    record.signatureFactor = -std::numeric_limits<float>::infinity();
    record.visualFigure = 2.5f;
    const ObjectRecord decoded = objectRecordDecode(objectRecordEncode(record));
    EXPECT_EQ(decoded.sonarFigure, 0.0f);
    EXPECT_EQ(decoded.radarFigure, 0.0f);
    EXPECT_EQ(decoded.signatureFactor, 0.0f);
    EXPECT_EQ(decoded.visualFigure, 2.5f);
}

TEST(FixedText, RefusesTextsWithoutRoomForTheirEnd) {
    FixedText<4> text;
    EXPECT_TRUE(text.assign("abc"));
    EXPECT_FALSE(text.assign("abcd"));
    EXPECT_EQ(text.view(), "abc");
    EXPECT_TRUE(text.assign(""));
    EXPECT_TRUE(text.empty());
}

} // namespace
} // namespace q71
