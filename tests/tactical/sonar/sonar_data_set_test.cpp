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
    // The knobs of the pages that come later.
    openGroup("snr_nb");
    expectRow("snr_nb", kNarrowbandScaleKnobRow.widget);
    openGroup("snr_dmn");
    expectRow("snr_dmn", kDemonScaleKnobRow.widget);
    // The readouts' digits.
    openGroup("shared");
    expectStrip("shared", "numerals.bmp", 13, 13, 22);
    expectStrip("shared", "smallnum.bmp", 10, 10, 22);
}

TEST_F(SonarDataSet, EveryWaveAndTextOfThePagesIsThere) {
    for (const char* wave : {"winsel.WAV", "flpswtch.WAV", "cvrbtn.WAV", "litbtn.WAV", "dialsnd.WAV",
                             kPingReturnWave, kSonarBackgroundWave})
        EXPECT_TRUE(fileExists(std::string(sfxInstallPath) + "\\" + wave)) << wave;
    for (int id : {427, 428, 429, 430, 431, 432, 433, 434, 435, 436, 437, 447, 547, 548, 550, 606, 712, 713, 714})
        EXPECT_STRNE(textGetString(id), "") << id;
}

} // namespace
} // namespace q71::test
