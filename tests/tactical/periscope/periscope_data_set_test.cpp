// Everything the periscope station and the stadimeter name is in the data set: every bitmap in
// its group at the size and frame count its widget cuts it by, every wave, every text.
#include "tactical/support/data_set_strips.h"
#include "tactical/support/station_mission.h"

#include "framework/textmngr/text_manager.h"
#include "platform/files/path.h"
#include "tactical/periscope/periscope_panel.h"
#include "tactical/stadimeter/stadimeter_panel.h"

#include <string>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class PeriscopeDataSet : public StationMission {};

TEST_F(PeriscopeDataSet, EveryBitmapOfBothPagesIsInItsGroup) {
    openDataSetGroup(kPeriscopeGroup);
    expectStrip(kPeriscopeGroup, kPeriscopeBackground, 540, 420, 1);
    for (const PeriscopeControlRow& control : kPeriscopeControls)
        expectStrip(kPeriscopeGroup, control.row.bitmap, control.row.width, control.row.height, control.row.frames);
    for (const StationControlRow& lamp : kPeriscopeLamps)
        expectStrip(kPeriscopeGroup, lamp.bitmap, 30, 20, 2);

    openDataSetGroup(kStadimeterGroup);
    expectStrip(kStadimeterGroup, kStadimeterBackground, 540, 420, 1);
    for (const StadimeterButtonRow& button : kStadimeterButtons)
        expectStrip(kStadimeterGroup, button.row.bitmap, button.row.width, button.row.height, 2);
}

TEST_F(PeriscopeDataSet, EveryWaveAndTextOfBothPagesIsThere) {
    for (const char* wave : {"litbtn.WAV", "winsel.WAV", "jewel.wav", "flpswtch.WAV", "ScopeEsm.wav", "CowPsFld.wav"})
        EXPECT_TRUE(fileExists(std::string(sfxInstallPath) + "\\" + wave)) << wave;
    for (int id : {48, 49, 50, 51, 277, 452, 453, 454, 455, 456, 457, 458, 465, 555, 556, 606, 713, 723})
        EXPECT_STRNE(textGetString(id), "") << id;
}

} // namespace
} // namespace q71::test
