#pragma once
// Page 3 of the sonar suite, broadband, the page shown first: two bearing-time waterfalls with
// their own time scales, the listening and orientation switches, the designate button, the
// array buttons and the cursor's bearing readout. The contact nearest the cursor is labelled
// and, while listening, heard. The host's engine noise is off while the page is open.

#include "tactical/sonar/broadband_listening.h"
#include "tactical/sonar/broadband_waterfall.h"
#include "tactical/sonar/sonar_knob.h"
#include "tactical/sonar/sonar_page.h"

namespace q71 {

class ButtonToggle;
class ReadOut;

/// The page's widgets, hot spots and knobs, as the data set draws them.
inline constexpr SonarWidgetRow kBroadbandListenSwitch{345, 54, 34, 52, 5, false, 7, "X345Y054.bmp", -1,
                                                       "flpswtch.WAV"};
inline constexpr SonarWidgetRow kBroadbandOrientationSwitch{420, 60, 32, 46, 5, false, 8, "X420Y060.bmp", -1,
                                                            "flpswtch.WAV"};
inline constexpr SonarWidgetRow kBroadbandDesignate{348, 216, 47, 42, 2, false, 9, "x348y216.bmp", 712,
                                                    "litbtn.WAV"};
inline constexpr SonarWidgetRow kBroadbandArrayButtons[] = {
    {345, 368, 49, 44, 2, false, 10, "X345Y368.bmp", 548, "winsel.WAV"},
    {477, 368, 49, 39, 2, false, 12, "X477Y368.bmp", 550, "winsel.WAV"}};
inline constexpr SonarKnobRow kBroadbandTimeKnobRows[] = {
    {{360, 129, 119, 46, 5, false, 5, "X360Y129.bmp", -1, kSonarKnobSound}, 80, 25, 3, 0, 0},
    {{360, 300, 119, 46, 5, false, 6, "X360Y300.bmp", -1, kSonarKnobSound}, 80, 25, 3, 0, 0}};
/// The title and the labels of the switches and knobs.
inline constexpr SonarHotSpotRow kBroadbandHotSpots[] = {{{139, 12, 230, 23}, 432},
                                                         {{336, 108, 388, 119}, 433},
                                                         {{408, 108, 464, 119}, 434},
                                                         {{368, 176, 472, 187}, 435},
                                                         {{368, 347, 472, 358}, 436}};
inline constexpr SonarPageArt kBroadbandArt{"broadbandsonar", "snr_bb", "scrn23a.bmp", "Sonar\\BroadBand"};

/// A waterfall's time-scale knob: stores its index for its waterfall and copies both into the
/// own boat's settings.
class BroadbandTimeKnob : public SonarKnob {
public:
    BroadbandTimeKnob(WindowHandle page, int which, int& upper, int& lower);
    void setValue(int detent) override;

private:
    int which_;
    int& upper_;
    int& lower_;
};

class BroadbandPage : public SonarPageScreen {
public:
    explicit BroadbandPage(WindowHandle suite);

    int pageCommand(int id, int value) override;
    /// Labels (and, while listening, hears) the contact nearest the cursor.
    void refreshLabel();

    BroadbandState& state() { return state_; }
    BroadbandWaterfall& upper() { return *upper_; }
    BroadbandWaterfall& lower() { return *lower_; }
    BroadbandListening& listening() { return listening_; }

protected:
    void openPage() override;
    void closePage() override;

private:
    void cursorMoved();
    void selectArray(int index);
    void designate();
    void redrawBoth();

    BroadbandState state_;
    int upperScale_ = 0, lowerScale_ = 1;
    BroadbandTimeKnob* knobs_[2] = {};
    ButtonToggle* listenSwitch_ = nullptr;
    ButtonToggle* orientationSwitch_ = nullptr;
    ButtonGroup arrayButtons_{2};
    ReadOut* bearingReadout_ = nullptr;
    BroadbandWaterfall* upper_ = nullptr;
    BroadbandWaterfall* lower_ = nullptr;
    BroadbandListening listening_;
};

} // namespace q71
