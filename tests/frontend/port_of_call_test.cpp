// The port of call: buying and selling levels against the career points, what a refusal says,
// the prices in the face of the levels, leaving without validating, validating into the saved
// record with the boat resupplied, and the way out after a campaign leg.
#include "framework/app/screen_manager.h"
#include "framework/app/shell_fonts.h"
#include "frontend/glass_text.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend/portcall/portcall_layout.h"
#include "frontend/portcall/portof_call.h"
#include "frontend_fixture.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_paint.h"
#include "sim/scoring/player_roster.h"
#include "sim/services/weapon_stations.h"
#include "sim/simulation/mission_state.h"
#include "support/screen_picture.h"
#include "whole_letters.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71 {
namespace {

class PortOfCall : public test::FrontEndFixture {
protected:
    PortOfCall() {
        EXPECT_EQ(playerDbChoose("Narval", 0), RosterStatus::Ok);
        PlayerRecord& record = *playerRecord();
        record.careerPoints = 3000;
        record.stationLevels = {1.0f, 0.0f, 2.5f, 4.0f, 0.0f};
        record.inventory = {1, 0, 0, 2, 0, 3, 0};
        record.cells[0] = 77; // a damaged record's load
        EXPECT_TRUE(playerDbSave());
        screenEnterMainMenu();
        pump();
    }
    ~PortOfCall() override { missionState() = MissionState{}; }

    PortofCall& openFromMenu() {
        EXPECT_TRUE(clickMainMenuLine(kSlotPortOfCall)) << "the menu shows the port's line";
        EXPECT_EQ(screenCurrentIndex(), kSlotPortOfCall);
        return *static_cast<PortofCall*>(screenGet(kSlotPortOfCall));
    }
    void clickBuy(int category) {
        using namespace portcall_layout;
        clickAt(Point{kBuyX + kRowButtonWidth / 2, rowY(category) + kRowHeight / 2});
    }
    static PlayerRecord savedRecord() {
        playerDbRelease();
        EXPECT_EQ(playerDbChoose("Narval", 0), RosterStatus::Ok);
        return *playerRecord();
    }
};

TEST_F(PortOfCall, LevelsAreBoughtAndSoldAgainstTheCareerPoints) {
    PortofCall& port = openFromMenu();
    EXPECT_EQ(port.balance(), 3000);
    EXPECT_EQ(port.level(2), 2) << "the earned level's whole part";
    clickBuy(1);
    EXPECT_EQ(port.level(1), 1);
    EXPECT_EQ(port.balance(), 2000) << "above the earned level a level costs 1000";
    EXPECT_TRUE(port.sell(0));
    EXPECT_EQ(port.balance(), 2250) << "down to below the earned level, 250 back";
    EXPECT_TRUE(port.buy(0));
    EXPECT_EQ(port.balance(), 2000) << "back to the earned level for 250";
    EXPECT_FALSE(port.buy(3)) << "at the top";
    EXPECT_FALSE(port.sell(4)) << "at the bottom";
    EXPECT_TRUE(port.buy(4));
    EXPECT_TRUE(port.buy(4));
    EXPECT_FALSE(port.buy(4)) << "no points left";
    EXPECT_EQ(port.balance(), 0);
    pump();
    test::saveScreenPicture("portcall");
}

TEST_F(PortOfCall, EachRowTellsWhatALevelCostsAndWhatSellingOneGivesBack) {
    playerRecord()->careerPoints = 200;
    PortofCall& port = openFromMenu();
    const auto tells = [](const std::string& line, const char* points) { return line.find(points) != std::string::npos; };
    // Level 0 with 200 points: a level costs 1000 (above the earned level), nothing to sell.
    EXPECT_TRUE(tells(port.priceLine(1), "1000")) << port.priceLine(1);
    EXPECT_FALSE(tells(port.priceLine(1), "250")) << port.priceLine(1);
    // At the earned level 1: 1000 to buy, 250 back for a sale.
    EXPECT_TRUE(tells(port.priceLine(0), "1000") && tells(port.priceLine(0), "250")) << port.priceLine(0);
    // Sold below the earned level: buying it back costs 250; at the bottom nothing more sells.
    ASSERT_TRUE(port.sell(0));
    EXPECT_TRUE(tells(port.priceLine(0), "250")) << port.priceLine(0);
    EXPECT_FALSE(tells(port.priceLine(0), "1000")) << port.priceLine(0);
    // At the top (4): nothing to buy, 250 back.
    EXPECT_TRUE(tells(port.priceLine(3), "250")) << port.priceLine(3);
    EXPECT_FALSE(tells(port.priceLine(3), "1000")) << port.priceLine(3);
    EXPECT_NE(port.priceLine(3), port.priceLine(0));
}

TEST_F(PortOfCall, ARefusedSaleOrPurchaseSaysWhy) {
    playerRecord()->careerPoints = 200;
    PortofCall& port = openFromMenu();
    using namespace portcall_layout;
    test::DrawnTexts drawn;
    // What the status glass says once the click is handled and the screen drawn again.
    const auto says = [&](int button, int category, const std::string& told) {
        drawn.clear();
        clickAt(Point{button + kRowButtonWidth / 2, rowY(category) + kRowHeight / 2});
        pump();
        return test::spellOut(drawn.in(kStatusGlass), told);
    };
    // The second row stands at level 0: selling needs no points, there is nothing to sell.
    EXPECT_TRUE(
        says(kSellX, 1,
             "Rien \xE0 vendre : le niveau d'Analyse du mouvement de la cible (AMC) est d\xE9j\xE0 \xE0 0."));
    EXPECT_EQ(port.balance(), 200);
    // The fourth stands at the top: nothing is bought there; 200 points pay for no level of the fifth.
    EXPECT_TRUE(says(kBuyX, 3,
                     "Rien \xE0 acheter : le niveau de Barre et plong\xE9"
                     "e est d\xE9j\xE0 au maximum."));
    EXPECT_TRUE(says(kBuyX, 4,
                     "Pas assez de points : un niveau de Machine et s\xE9"
                     "curit\xE9 co\xFBte 1000 points."));
    EXPECT_EQ(port.level(4), 0);
    test::saveScreenPicture("portcall-refused");
}

TEST_F(PortOfCall, TheNamesLevelsAndPricesEachStandInOneFontOnTheirGlass) {
    PortofCall& port = openFromMenu();
    test::DrawnTexts drawn;
    windowInvalidate(port.window(), nullptr, false);
    pump();
    using namespace portcall_layout;
    // Every line of a column in the font of the column's first line; the prices regular like the
    // levels above them, and a name too long for its glass on two lines in the names' own font.
    std::vector<TextDrawn> names, levels, prices;
    for (int c = 0; c < kCategoryCount; ++c) {
        const Rect glass = levelGlass(c);
        const int middle = (glass.top + glass.bottom) / 2;
        const std::vector<TextDrawn> level = drawn.in({glass.left, glass.top, glass.right, middle - 1});
        const std::vector<TextDrawn> price = drawn.in({glass.left, middle + 1, glass.right, glass.bottom});
        ASSERT_EQ(level.size(), 1u) << c;
        ASSERT_EQ(price.size(), 1u) << c;
        EXPECT_EQ(price[0].text, port.priceLine(c));
        EXPECT_EQ(price[0].font->metrics().weight >= kFontWeightBold,
                  level[0].font->metrics().weight >= kFontWeightBold)
            << price[0].text;
        levels.push_back(level[0]);
        prices.push_back(price[0]);
        const std::vector<TextDrawn> name = drawn.in(nameGlass(c));
        ASSERT_FALSE(name.empty()) << c;
        for (const TextDrawn& line : name)
            EXPECT_TRUE(test::inside(line.ink, nameGlass(c).inflatedBy(-2, -2)))
                << line.text << " on its glass";
        names.insert(names.end(), name.begin(), name.end());
    }
    for (const std::vector<TextDrawn>* column : {&names, &levels, &prices})
        for (const TextDrawn& line : *column) {
            const FontRef& first = column->front().font;
            EXPECT_EQ(line.font->familyName(), first->familyName()) << line.text;
            EXPECT_EQ(line.font->metrics().height, first->metrics().height) << line.text;
            EXPECT_EQ(line.font->metrics().weight, first->metrics().weight) << line.text;
        }
    EXPECT_TRUE(test::spellOut(names, "Analyse du mouvement de la cible (AMC)")) << "the long name whole";
    EXPECT_GT(names.size(), static_cast<std::size_t>(kCategoryCount)) << "on two lines";
    EXPECT_EQ(names.front().font, appInterfaceFont(kTextFont)) << "the names keep the glass's running text";
}

TEST_F(PortOfCall, LeavingWithoutValidatingChangesNothing) {
    PortofCall& port = openFromMenu();
    port.buy(1);
    press(static_cast<std::uint8_t>(VK_ESCAPE), 27);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    pump();
    EXPECT_EQ(screenGet(kSlotPortOfCall), nullptr);
    const PlayerRecord& record = *playerRecord();
    EXPECT_EQ(record.careerPoints, 3000);
    EXPECT_EQ(record.stationLevels[1], 0.0f);
    const PlayerRecord saved = savedRecord();
    EXPECT_EQ(saved.careerPoints, 3000);
    EXPECT_EQ(saved.inventory, (Inventory{1, 0, 0, 2, 0, 3, 0}));
}

TEST_F(PortOfCall, ValidatingWritesTheLevelsThePointsAndTheResuppliedBoatIntoTheSavedRecord) {
    const std::int32_t secondCell = playerRecord()->cells[1];
    PortofCall& port = openFromMenu();
    port.buy(1);
    port.sell(0);
    const Inventory fullStock = playerFullStock();
    using namespace portcall_layout;
    clickAt(Point{kConfirmX + kButtonWidth / 2, kButtonY + kButtonHeight / 2});
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    const PlayerRecord saved = savedRecord();
    EXPECT_EQ(saved.careerPoints, 2250);
    EXPECT_EQ(saved.stationLevels, (std::array<float, kStationCount>{0.0f, 1.0f, 2.5f, 4.0f, 0.0f}))
        << "a category left alone keeps its fraction";
    EXPECT_EQ(saved.inventory, fullStock);
    EXPECT_EQ(saved.cells[0], kWeaponEmpty) << "a load that names no weapon is emptied";
    EXPECT_EQ(saved.cells[1], secondCell) << "the others are kept";
}

TEST_F(PortOfCall, AfterACampaignLegThePortLeadsBackToTheCampaign) {
    missionState().missionMode = kMissionModeCampaign;
    screenCreate(kSlotPortOfCall, kPortAfterCampaignLeg);
    screenSwitch(kSlotPortOfCall);
    pump();
    auto& port = *static_cast<PortofCall*>(screenGet(kSlotPortOfCall));
    port.leave();
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionSelection);
    pump();
    EXPECT_EQ(screenGet(kSlotPortOfCall), nullptr);
}

} // namespace
} // namespace q71
