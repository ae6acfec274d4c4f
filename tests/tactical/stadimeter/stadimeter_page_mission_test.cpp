// The stadimeter page in the periscope station on a running mission of the data set: the ship
// types it lists, stepping through them and the model loaded once the choice rests, the range
// and its report, the angle on the bow, and the silhouette's zoom and distance.
#include "tactical/support/station_mission.h"

#include "framework/textmngr/text_manager.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/world/object_database.h"
#include "support/golden_image.h"
#include "tactical/periscope/peri_suite.h"
#include "tactical/rwutils/sea_texture.h"
#include "tactical/stadimeter/silhouette_view.h"
#include "tactical/stadimeter/stadimeter_image.h"
#include "tactical/stadimeter/stadimeter_screen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <numbers>

namespace q71::test {
namespace {

class StadimeterPageMission : public StationMission {
protected:
    StadimeterPageMission() {
        options.setOptionsField(0, 1);
        options.setOptionsField(1, 1);
        startMissionAtDepth("Sa2.scn", -9.14, 5.0);
        rwUpdateSeaTexture();
        suite = &openRegisteredStation<PeriSuite>(kStationPeriscope, periscopeRegisterStation);
        suite->selectPage(PeriSuite::kStadimeterPageIndex);
        pump();
    }
    ~StadimeterPageMission() override {
        hideStation();
        rwShutdown();
    }
    StadimeterScreen& page() { return suite->stadimeter(); }
    // A 300 by 300 picture taken at 8 degrees on bearing 40.
    void takePicture(std::int32_t picked = 0) {
        Canvas picture(300, 300, 0x00804020);
        page().takePicture(*picture.dc, 300, 300, {12.0, picked, 0.0, 0.0, 40.0, 8.0});
    }

    PeriSuite* suite = nullptr;
};

TEST_F(StadimeterPageMission, TheNamedTypesComeFirstThenEveryRecordWithAMast) {
    const auto& types = page().shipTypes();
    ASSERT_GE(types.size(), 3u);
    EXPECT_EQ(types[0].key, "Burke");
    EXPECT_EQ(types[0].label, textGetString(48));
    EXPECT_EQ(types[1].key, "Merchant");
    EXPECT_EQ(types[1].label, textGetString(49));
    int withMast = 0;
    for (int i = 0; i < objdbCount(); ++i)
        withMast += objdbGetByIndex(i)->mastHeight > 0.0f ? 1 : 0;
    EXPECT_EQ(types.size(), static_cast<std::size_t>(std::min(2 + withMast, 120)));
    for (std::size_t i = 2; i < types.size(); ++i)
        EXPECT_GT(objdbFindByName(types[i].key)->mastHeight, 0.0f) << types[i].key;
    EXPECT_EQ(page().mastText(), stadimeterMastText(objdbFindByName("Burke")->mastHeight));
    EXPECT_EQ(page().aspectText(), std::string(textGetString(51)) + " 90") << "the silhouette starts beam on";
}

TEST_F(StadimeterPageMission, StepsWrapBothWaysAndOnlyTheLastChoiceLoadsHalfASecondLater) {
    run(600);
    ASSERT_TRUE(page().silhouette().hasModel());
    const int last = static_cast<int>(page().shipTypes().size()) - 1;
    ASSERT_TRUE(page().command(kStadimeterPreviousType));
    EXPECT_EQ(page().currentType(), last) << "back from the first: the last";
    EXPECT_FALSE(page().silhouette().hasModel()) << "the model goes at once";
    ASSERT_TRUE(page().command(kStadimeterNextType));
    EXPECT_EQ(page().currentType(), 0) << "on from the last: the first";
    run(300);
    page().command(kStadimeterNextType);
    run(300);
    page().command(kStadimeterNextType);
    EXPECT_FALSE(page().silhouette().hasModel()) << "nothing loaded while the choice moves";
    run(450);
    EXPECT_FALSE(page().silhouette().hasModel());
    EXPECT_TRUE(page().modelTimerRunning());
    run(100);
    EXPECT_FALSE(page().modelTimerRunning());
    EXPECT_EQ(page().silhouette().shipKey(), page().shipTypes()[2].key);
    EXPECT_EQ(page().silhouette().hasModel(), true);
}

TEST_F(StadimeterPageMission, TheRangeNeedsASplitAndTheReportRegistersItAsAStadimeterContact) {
    OwnShipEntity& own = ownBoat();
    const int before = own.contacts.count();
    page().command(kStadimeterSplitUp);
    EXPECT_FALSE(page().range()) << "no picture";
    takePicture();
    EXPECT_EQ(page().rangeText(), "");
    page().command(kStadimeterReport);
    EXPECT_EQ(own.contacts.count(), before) << "no range, no report";
    for (int i = 0; i < 30; ++i)
        page().command(kStadimeterSplitUp);
    EXPECT_EQ(page().image().split(), 30);
    const double mast = objdbFindByName("Burke")->mastHeight;
    const double expected = 0.5 * mast / std::sin(0.1 * 8.0 * std::numbers::pi / 180.0);
    ASSERT_TRUE(page().range());
    EXPECT_NEAR(*page().range(), expected, 1e-6);
    EXPECT_EQ(page().rangeText(), stadimeterRangeText(expected));
    page().command(kStadimeterYawRight); // yaw 95: the ship heads 135 seen on bearing 40
    page().command(kStadimeterReport);
    EXPECT_EQ(own.contacts.count(), before + 1);
    // The picture had no entity on its line of sight: a stadimeter contact of no object.
    const ContactRecord& contact = newestContact();
    EXPECT_NE(contact.designation.numbers[kSensorVisual9], 0);
    EXPECT_EQ(contact.recordId, 0u);
    EXPECT_DOUBLE_EQ(contact.bearing, 40.0);
    EXPECT_NEAR(contact.range, expected * 0.9503239740820734, 1e-6);
    EXPECT_DOUBLE_EQ(contact.course, 135.0);
    // Turned past north, the course stays within a turn.
    for (int i = 0; i < 14; ++i)
        page().command(kStadimeterYawRight);
    EXPECT_DOUBLE_EQ(page().silhouette().yaw(), 165.0);
    for (int i = 0; i < 4; ++i)
        page().command(kStadimeterYawRight);
    EXPECT_DOUBLE_EQ(page().silhouette().yaw(), -175.0);
    page().command(kStadimeterReport);
    EXPECT_DOUBLE_EQ(newestContact().course, 225.0);
    page().resetPicture();
    EXPECT_FALSE(page().range());
}

TEST_F(StadimeterPageMission, TheSilhouetteZoomsWithinItsLimitsAndStandsOffByItsModelAndMast) {
    run(600);
    SilhouetteView& view = page().silhouette();
    ASSERT_TRUE(view.hasModel());
    const double k = 3.5 / std::sin(0.625 * 32.0 * 0.5 * std::numbers::pi / 180.0);
    const double r = 137.0 / 301.0;
    const double distance = view.modelDistance();
    EXPECT_GE(distance, 0.3 * k * r * view.mastHeight() - 1e-9) << "at least the mast's share";
    view.zoomOut(1.25);
    EXPECT_NEAR(view.modelDistance(), distance * 1.25, 1e-9);
    for (int i = 0; i < 10; ++i)
        page().command(kStadimeterZoomOut);
    EXPECT_DOUBLE_EQ(view.zoomLevel(), SilhouetteView::kZoomMax);
    EXPECT_NEAR(view.modelDistance(), distance * 2.5, 1e-9);
    for (int i = 0; i < 20; ++i)
        page().command(kStadimeterZoomIn);
    EXPECT_DOUBLE_EQ(view.zoomLevel(), SilhouetteView::kZoomMin);
    // A type without a record: no mast, no model, the model kept out of sight behind.
    view.setShip("NoSuchShip");
    EXPECT_EQ(view.mastHeight(), 0.0);
    EXPECT_FALSE(view.hasModel());
    EXPECT_NEAR(view.modelDistance(), -1000.0 * SilhouetteView::kZoomMin, 1e-9) << "times the zoom";
}

TEST_F(StadimeterPageMission, ADragPansThePictureAndBPutsItBack) {
    takePicture();
    const Point centre{kStadimeterImageRect.left + 150, kStadimeterImageRect.top + 100};
    leftButton(centre, true);
    moveTo({centre.x, centre.y + 30});
    EXPECT_EQ(page().image().pan().y, -30) << "the picture follows the mouse down";
    display.typeKey('B', 'b');
    pump();
    EXPECT_FALSE(page().image().dragging());
    EXPECT_EQ(page().image().pan().y, 0) << "back where the drag began";
    leftButton({centre.x, centre.y + 30}, false);
    EXPECT_EQ(page().image().pan().y, 0);
}

} // namespace
} // namespace q71::test
