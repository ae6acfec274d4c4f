// The options screen: what each page's lines write, validating and cancelling, a write that fails.
#include "framework/app/screen_manager.h"
#include "framework/widgets/hot_spot.h"
#include "frontend/frontend_services.h"
#include "frontend/options/options_layout.h"
#include "frontend/options/options_screen.h"
#include "frontend_fixture.h"
#include "platform/files/little_endian.h"
#include "platform/msgbox/message_box_types.h"
#include "support/screen_picture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace q71 {
namespace {

class Options : public test::FrontEndFixture {
protected:
    Options() {
        // A record with a mark in every field, so that a field written by mistake shows.
        for (int field = 0; field < kOptionsFieldCount; ++field)
            optionsRecord().setField(field, 0);
        optionsRecord().setField(13, 7);
        optionsRecord().setField(30, -5);
        before_ = optionsRecord();
    }
    ~Options() override { optionsRecord() = optionsDefaults(); }

    OptionsScreen& showOptions(int argument) {
        screenCreateOptions(argument);
        screenSwitch(kSlotOptions);
        pump();
        return *static_cast<OptionsScreen*>(screenGet(kSlotOptions));
    }

    /// The fields that differ from the record before, read back from "options.db".
    std::set<int> changedOnDisk() const {
        const std::string bytes = test::readFile(player.file("options.db"));
        EXPECT_EQ(bytes.size(), kOptionsRecordBytes);
        std::set<int> changed;
        for (int field = 0; field < kOptionsFieldCount && bytes.size() == kOptionsRecordBytes; ++field) {
            const auto value = static_cast<std::int32_t>(
                loadLe32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 4 * field));
            if (value != before_.field(field))
                changed.insert(field);
        }
        return changed;
    }

    OptionsRecord before_;
};

TEST_F(Options, EachPageWritesExactlyItsFields) {
    struct Case {
        OptionsPage page;
        std::set<int> fields; // every line clicked once
    };
    const std::vector<Case> cases{
        {OptionsPage::Display, {0, 1, 2, 3, 22, 23}},
        // Reports on; each station from off to by rank: fields 19 to 21.
        {OptionsPage::Crew, {18, 19, 20, 21}},
        {OptionsPage::Realism, {7, 8, 9, 10, 11, 12}},
    };
    for (const Case& c : cases) {
        optionsRecord() = before_;
        OptionsScreen& options = showOptions(kOptionsBackToMenu);
        options.showPage(c.page);
        for (int row = 0; row < static_cast<int>(options.lines()->rows().size()); ++row)
            options.cycleLine(row);
        options.applyCurrentPage();
        pump();
        EXPECT_EQ(changedOnDisk(), c.fields) << "page " << static_cast<int>(c.page);
        EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
        EXPECT_EQ(screenGet(kSlotOptions), nullptr) << "the options go once left";
    }
    EXPECT_EQ(optionsRecord().field(13), 7) << "field 13 keeps its value";
}

TEST_F(Options, CrewAssistanceGoesOffByRankAutomaticAndNeverBoth) {
    OptionsScreen& options = showOptions(kOptionsBackToMenu);
    options.showPage(OptionsPage::Crew);
    const int sonarRow = 1;
    const std::vector<std::pair<int, int>> expected{{1, 0}, {0, 1}, {0, 0}}; // (by rank, automatic)
    for (const auto& [byRank, automatic] : expected) {
        options.cycleLine(sonarRow);
        EXPECT_EQ(options.edited().field(19), byRank);
        EXPECT_EQ(options.edited().field(4), automatic);
    }
}

TEST_F(Options, TheCellSizeRunsFromOneToSixteenAndRoundAgain) {
    OptionsScreen& options = showOptions(kOptionsBackToMenu);
    const int cellRow = 3;
    for (int click = 1; click <= 16; ++click) {
        options.cycleLine(cellRow);
        EXPECT_EQ(options.edited().field(3), click % 16) << "click " << click;
    }
}

TEST_F(Options, ValidatingAppliesPopUpTextsAndCancelChangesNothing) {
    screenCreate(kSlotGenInfo);
    OptionsScreen& options = showOptions(kOptionsBackToHost);
    options.cycleLine(4); // pop-up texts on
    options.cancel();
    pump();
    EXPECT_EQ(optionsRecord().fields, before_.fields);
    EXPECT_FALSE(std::filesystem::exists(player.file("options.db"))) << "nothing written";
    EXPECT_EQ(screenCurrentIndex(), kSlotGenInfo) << "argument 1 goes back to the mission";

    appInstallServices({nullptr, nullptr, nullptr, nullptr, &frontEndShellServices(), nullptr});
    OptionsScreen& again = showOptions(kOptionsBackToMenu);
    EXPECT_EQ(again.edited().field(22), 0) << "the cancelled edit is gone";
    again.cycleLine(4);
    again.applyCurrentPage();
    EXPECT_EQ(optionsRecord().field(22), 1);
    EXPECT_TRUE(HotSpot::toolTipsEnabled());
}

TEST_F(Options, AFailedWriteIsSaidAndTheRecordStaysInMemory) {
    std::filesystem::create_directory(player.file("options.db")); // a folder where the file goes
    OptionsScreen& options = showOptions(kOptionsBackToMenu);
    options.showPage(OptionsPage::Realism);
    options.cycleLine(0);
    auto told = answerNextBox(kIdOk);
    options.applyCurrentPage();
    EXPECT_TRUE(*told);
    EXPECT_EQ(optionsRecord().field(7), 1);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
}

TEST_F(Options, TheTabsAndLinesAnswerTheMouse) {
    using namespace options_layout;
    OptionsScreen& options = showOptions(kOptionsBackToMenu);
    clickAt({kTabX[2] + 20, kTabY + 10});
    EXPECT_EQ(options.page(), OptionsPage::Realism);
    clickAt({kGlass.left + 40, kGlass.top + 40 + 6 + 11}); // the first line
    EXPECT_EQ(options.edited().field(7), 1);
    pump();
    test::saveScreenPicture("options");
    clickAt({kCancelX + 20, kButtonY + 10});
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
}

} // namespace
} // namespace q71
