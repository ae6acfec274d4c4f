// Everything the sonar pages name is in the data set: every bitmap in its page's group at the
// size and frame count the page cuts it by, every wave in the effects folder, every text.
#include "tactical/support/data_set_strips.h"
#include "tactical/support/station_mission.h"

#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/widget_bitmap.h"
#include "platform/files/path.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/demon_page.h"
#include "tactical/sonar/intercept_page.h"
#include "tactical/sonar/narrowband_page.h"
#include "sim/world/object_database.h"
#include "tactical/ssp/ssp_screen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace q71::test {
namespace {

class SonarDataSet : public StationMission {
protected:
    static void expectRow(const char* group, const SonarWidgetRow& row) {
        expectStrip(group, row.bitmap, row.width, row.height, row.frames);
    }
    static void openGroup(const char* group) { openDataSetGroup(group); }
};

TEST_F(SonarDataSet, EveryBitmapOfThePagesIsInItsGroup) {
    for (const char* group : {"snr_act", "snr_icpt", "snr_dmn", "snr_bb", "snr_nb"}) {
        openGroup(group);
        for (const SonarWidgetRow& row : kSonarPageButtons)
            expectRow(group, row);
    }
    openGroup(kActiveArt.group);
    expectStrip(kActiveArt.group, kActiveArt.background, 540, 420, 1);
    for (const SonarWidgetRow& row : {kActivePingSwitch, kActiveOrientationSwitch, kActiveTransmit,
                                      kActiveDesignate, kActiveReport, kActiveRangeKnobRow.widget})
        expectRow(kActiveArt.group, row);
    openGroup(kBroadbandArt.group);
    expectStrip(kBroadbandArt.group, kBroadbandArt.background, 540, 420, 1);
    std::vector<SonarWidgetRow> rows{kBroadbandListenSwitch, kBroadbandOrientationSwitch, kBroadbandDesignate,
                                     kBroadbandArrayButtons[0], kBroadbandArrayButtons[1],
                                     kBroadbandTimeKnobRows[0].widget, kBroadbandTimeKnobRows[1].widget};
    for (const SonarWidgetRow& row : rows)
        expectRow(kBroadbandArt.group, row);
    openGroup(kNarrowbandArt.group);
    expectStrip(kNarrowbandArt.group, kNarrowbandArt.background, 540, 420, 1);
    for (const SonarWidgetRow& row : {kNarrowbandScaleKnobRow.widget, kNarrowbandOrientationSwitch, kNarrowbandRocker,
                                      kNarrowbandDesignate, kNarrowbandArrayButtons[0], kNarrowbandArrayButtons[1],
                                      kNarrowbandArrayButtons[2]})
        expectRow(kNarrowbandArt.group, row);
    openGroup(kDemonArt.group);
    expectStrip(kDemonArt.group, kDemonArt.background, 540, 420, 1);
    for (const SonarWidgetRow& row : {kDemonScaleKnobRow.widget, kDemonRocker, kDemonTrackerButtons[1],
                                      kDemonTrackerButtons[2], kDemonTrackerButtons[3], kDemonArrayButtons[0],
                                      kDemonArrayButtons[1]})
        expectRow(kDemonArt.group, row);
    // The first tracker button cuts its 51 columns from the second's 52-wide strip.
    EXPECT_STREQ(kDemonTrackerButtons[0].bitmap, kDemonTrackerButtons[1].bitmap);
    openGroup(kInterceptArt.group);
    expectStrip(kInterceptArt.group, kInterceptArt.background, 540, 420, 1);
    for (const SonarWidgetRow& row : kInterceptLamps)
        expectRow(kInterceptArt.group, row);
    openGroup(kSspGroup);
    expectStrip(kSspGroup, kSspBackground, 540, 420, 1);
    expectStrip(kSspGroup, kSspLaunchButton.bitmap, kSspLaunchButton.width, kSspLaunchButton.height,
                kSspLaunchButton.frames);
    // The readouts' digits.
    openGroup("shared");
    expectStrip("shared", "numerals.bmp", 13, 13, 22);
    expectStrip("shared", "smallnum.bmp", 10, 10, 22);
}

TEST_F(SonarDataSet, EveryWaveAndTextOfThePagesIsThere) {
    for (const char* wave : {"winsel.WAV", "flpswtch.WAV", "cvrbtn.WAV", "litbtn.WAV", "dialsnd.WAV", "rocker.wav",
                             "pushbtn.wav", "xbt.wav",
                             kPingReturnWave, kSonarBackgroundWave})
        EXPECT_TRUE(fileExists(std::string(sfxInstallPath) + "\\" + wave)) << wave;
    for (int id : {427, 428, 429, 430, 431, 432, 433, 434, 435, 436, 437, 438, 439, 440, 441, 442, 443, 444, 445,
                   447, 448, 449, 451, 547, 548, 549, 550, 551, 606, 712, 713, 714})
        EXPECT_STRNE(textGetString(id), "") << id;
}

TEST_F(SonarDataSet, EveryPlatformTheSonarsFollowShowsOnDemon) {
    int platforms = 0;
    for (int i = 0; i < objdbCount(); ++i) {
        const ObjectRecord& r = *objdbGetByIndex(i);
        const EntityCategory c = r.category();
        if (c != kCategorySub && c != kCategoryShip && c != kCategoryTorp)
            continue;
        ++platforms;
        // At half its top speed the blade rate lies on the 20 or 50 Hz scale, with 2 to 6 harmonics.
        const double rate = r.lineFactor * (r.maxSpeed / 2.0) / 60.0;
        EXPECT_GE(rate, 2.0) << r.keyName.view();
        EXPECT_LE(rate, 50.0) << r.keyName.view();
        EXPECT_GE(r.harmonicCount, 2) << r.keyName.view();
        EXPECT_LE(r.harmonicCount, 6) << r.keyName.view();
    }
    EXPECT_GT(platforms, 30);
}

} // namespace
} // namespace q71::test
