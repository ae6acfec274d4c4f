// The host's station table: stations made by their registered makers, with their key and the
// host's size and place.
#include "framework/app/station_table.h"
#include "framework/app/sub_screen.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace q71 {
namespace {

struct Made {
    std::string key;
    WindowHandle parent{};
    int width = 0, height = 0, x = -1, y = -1;
};
Made made;

std::unique_ptr<SubScreen> makeStation(std::string_view key, WindowHandle parent, int width, int height,
                                       int x, int y) {
    made = {std::string(key), parent, width, height, x, y};
    return std::make_unique<SubScreen>(key, parent, width, height, x, y);
}

class StationTable : public test::HeadlessWindows {
protected:
    ~StationTable() override {
        for (int slot = 0; slot < kHostStationCount; ++slot)
            stationRegisterMaker(slot, nullptr);
    }
    WindowHandle host = makeWindow(WS_VISIBLE, {0, 0, 640, 480});
};

TEST_F(StationTable, MakesARegisteredStationWithItsKeyAtTheHostsSize) {
    EXPECT_FALSE(stationHasMaker(kStationTma));
    EXPECT_EQ(stationCreate(kStationTma, host), nullptr);
    stationRegisterMaker(kStationTma, makeStation);
    ASSERT_TRUE(stationHasMaker(kStationTma));
    const std::unique_ptr<SubScreen> station = stationCreate(kStationTma, host);
    ASSERT_NE(station, nullptr);
    EXPECT_EQ(made.key, "TMAScreen");
    EXPECT_EQ(made.parent, host);
    EXPECT_EQ(made.width, 540);
    EXPECT_EQ(made.height, 420);
    EXPECT_EQ(made.x, 0);
    EXPECT_EQ(made.y, 0);
    EXPECT_EQ(windowGetParent(station->window()), host);
    EXPECT_FALSE(stationHasMaker(kStationSonar)); // one slot's maker is that slot's only
    stationRegisterMaker(kStationTma, nullptr);
    EXPECT_FALSE(stationHasMaker(kStationTma));
}

TEST_F(StationTable, KnowsEachSlotsKeyAndNothingOutsideTheTable) {
    const std::pair<int, std::string_view> keys[] = {
        {0, "shipctrl"},       {1, "sonarsuite"}, {4, "TMAScreen"},
        {5, "FireCtrlScreen"}, {10, "navScreen"}, {12, "cntrlrmscreen"},
        {13, "entviewscreen"}, {14, ""},          {-1, ""},
    };
    for (const auto& [slot, key] : keys)
        EXPECT_EQ(stationKey(slot), key) << slot;
    for (int slot : {-1, kHostStationCount}) {
        stationRegisterMaker(slot, makeStation);
        EXPECT_FALSE(stationHasMaker(slot));
        EXPECT_EQ(stationCreate(slot, host), nullptr);
    }
}

} // namespace
} // namespace q71
