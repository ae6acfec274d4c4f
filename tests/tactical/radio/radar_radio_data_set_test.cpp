// Everything the radar station and the radio room name is in the data set: every bitmap in its
// group at the size and frame count its widget cuts it by (the mast lamp two frames with no row
// between), every wave in the effects folder, every text.
#include "tactical/support/data_set_strips.h"
#include "tactical/support/station_mission.h"

#include "framework/textmngr/text_manager.h"
#include "platform/files/path.h"
#include "tactical/radar/radar_screen.h"
#include "tactical/radio/radio_room.h"

#include <string>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class RadarRadioDataSet : public StationMission {};

TEST_F(RadarRadioDataSet, EveryBitmapOfBothStationsIsInItsGroup) {
    openDataSetGroup(kRadarGroup);
    expectStrip(kRadarGroup, kRadarBackground, 540, 420, 1);
    expectStrip(kRadarGroup, kRadarLamp.bitmap, 28, 34, 2, false);
    for (const StationControlRow& row : {kRadarTag, kRadarMast, kRadarRings, kRadarRange, kRadarSpacing})
        expectStrip(kRadarGroup, row.bitmap, row.width, row.height, row.frames);

    openDataSetGroup(kRadioGroup);
    expectStrip(kRadioGroup, kRadioBackground, 540, 420, 1);
    for (const StationControlRow& row : {kRadioEndMission, kRadioTrafficLamp, kRadioTrafficLampNetwork, kRadioWire,
                                       kRadioAntenna, kRadioEsmMast, kRadioEsmContact, kRadioSendChat})
        expectStrip(kRadioGroup, row.bitmap, row.width, row.height, row.frames);
    for (const StationControlRow& row : kRadioEsmLamps)
        expectStrip(kRadioGroup, row.bitmap, 30, 18, 2);
    expectStrip(kRadioGroup, kRadioArrowUp, 16, 16, 3);
    expectStrip(kRadioGroup, kRadioArrowDown, 16, 16, 3);
    expectStrip(kRadioGroup, kRadioCaret, 16, 16, 1);
    WidgetBitmap pattern;
    EXPECT_TRUE(pattern.load(kRadioPattern));
}

TEST_F(RadarRadioDataSet, EveryWaveAndTextOfBothStationsIsThere) {
    for (const char* wave : {"litbtn.WAV", "flpswtch.WAV", "dialsnd.WAV", "cvrbtn.WAV", "pushbtn.wav", "esm.wav",
                             "CowRdrMF.wav", "CowRdrUp.wav", "CowRdrDn.wav", "COWFwCut.wav", "COWDpAnt.wav",
                             "COWRtAnt.wav", "COWRdoAF.wav", "COWAntUp.wav", "COWAntDn.wav", "COWEsmFl.wav",
                             "COWEsmUp.wav", "COWEsmDn.wav", "RadioCpy.wav", "RadioMsg.wav"})
        EXPECT_TRUE(fileExists(std::string(sfxInstallPath) + "\\" + wave)) << wave;
    for (int id : {270, 271, 272, 275, 276, 278, 279, 280, 281, 316, 347, 348, 429, 466, 467, 468, 469, 470, 471,
                   472, 473, 474, 606, 611, 713, 715, 729, 783, 786, 787})
        EXPECT_STRNE(textGetString(id), "") << id;
    EXPECT_GT(std::string(textGetString(347)).size(), 10u) << "a saved separator line is known by its length";
}

} // namespace
} // namespace q71::test
