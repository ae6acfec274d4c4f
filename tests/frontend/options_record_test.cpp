// The options record: its file of exactly 180 bytes in the player's folder.
#include "frontend/options/options_record.h"
#include "sim/services/front_end.h"
#include "sim/support/scoped_folders.h"
#include "support/data_set_settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace q71 {
namespace {

class OptionsFile : public ::testing::Test {
protected:
    void SetUp() override { test::loadDataSetSettings(); } // the player's folder is this test's
    std::string bytesOnDisk() const { return test::readFile(folder.file("options.db")); }

    test::PlayerFolder folder;
};

TEST_F(OptionsFile, AMissingFileGivesTheDefaultsAndIsWrittenSilently) {
    optionsRecord().setField(kOptionPopupTexts, 0);
    testing::internal::CaptureStderr();
    optionsLoad();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "no message";
    EXPECT_EQ(optionsRecord().fields, optionsDefaults().fields);
    const std::string written = bytesOnDisk();
    ASSERT_EQ(written.size(), kOptionsRecordBytes);
    const auto encoded = optionsEncode(optionsDefaults());
    EXPECT_EQ(written, std::string(encoded.begin(), encoded.end()));
}

TEST_F(OptionsFile, TheDefaultsSwitchOnTexturesDetailShadesReportsAndPopUpTexts) {
    const OptionsRecord defaults = optionsDefaults();
    for (int field : std::initializer_list<int>{kOptionTextures3d, kOptionDetail, kOptionChartShades,
                                                kOptionReportLevel, kOptionPopupTexts})
        EXPECT_EQ(defaults.field(field), 1) << "field " << field;
    for (int field : std::initializer_list<int>{kOptionNoDamage, kOptionUnlimitedWeapons,
                                                kOptionChartCellSize, kOptionControlRoom3d})
        EXPECT_EQ(defaults.field(field), 0) << "field " << field;
}

TEST_F(OptionsFile, ASavedRecordIsReadBackFieldForField) {
    optionsRecord() = optionsDefaults();
    optionsRecord().setField(kOptionChartCellSize, 3);
    optionsRecord().setField(44, -7);
    ASSERT_TRUE(optionsSave());
    const OptionsRecord saved = optionsRecord();
    optionsRecord() = OptionsRecord{};
    optionsLoad();
    EXPECT_EQ(optionsRecord().fields, saved.fields);
}

TEST_F(OptionsFile, AFileOfTheWrongSizeGivesTheDefaultsAMessageAndIsKept) {
    const std::string damaged(179, '\x01');
    folder.dir().write("q71/options.db", damaged);
    optionsRecord().setField(kOptionPopupTexts, 0);
    testing::internal::CaptureStderr();
    optionsLoad();
    EXPECT_NE(testing::internal::GetCapturedStderr(), "") << "the message (no window: on stderr)";
    EXPECT_EQ(optionsRecord().fields, optionsDefaults().fields);
    EXPECT_EQ(bytesOnDisk(), damaged) << "the player's file is not overwritten";
}

TEST(OptionsRecordFields, NumbersOutsideTheRecordReadZeroAndChangeNothing) {
    OptionsRecord record;
    record.setField(45, 9);
    record.setField(-1, 9);
    EXPECT_EQ(record.field(45), 0);
    EXPECT_EQ(record.field(-1), 0);
    EXPECT_EQ(record.fields, OptionsRecord{}.fields);
}

TEST(OptionsRecordFields, TheFileIsLittleEndianAndOnlyExactlyOneRecord) {
    OptionsRecord record;
    record.setField(1, 0x01020304);
    const auto bytes = optionsEncode(record);
    EXPECT_EQ(bytes[4], 0x04);
    EXPECT_EQ(bytes[7], 0x01);
    EXPECT_TRUE(optionsDecode(bytes));
    EXPECT_FALSE(optionsDecode(std::span(bytes).first(179)));
    std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
    longer.push_back(0);
    EXPECT_FALSE(optionsDecode(longer));
}

TEST(OptionsRecordFields, AChartCellSizeOutsideOneToSixteenIsHeldToItWhenRead) {
    OptionsRecord record;
    for (const auto& [stored, size] : {std::pair{0x7FFFFFFF, 16}, std::pair{-40, 1}, std::pair{6, 7}}) {
        record.setField(kOptionChartCellSize, stored);
        const auto read = optionsDecode(optionsEncode(record));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->field(kOptionChartCellSize) + 1, size) << "stored " << stored;
    }
}

} // namespace
} // namespace q71
