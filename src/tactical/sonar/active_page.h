#pragma once
// Page 0 of the sonar suite, the active sonar: the ping mode and orientation switches, the
// transmit button under its cover, the range-scale knob, the cursor's bearing and range
// readouts, the echo display, and the buttons that designate the echo under the cursor and
// report the echoes of the current ping.

#include "tactical/sonar/active_display.h"
#include "tactical/sonar/sonar_knob.h"
#include "tactical/sonar/sonar_page.h"

namespace q71 {

class ReadOut;
struct SoundSample;

/// The page's widgets, hot spots and knob, as the data set draws them.
inline constexpr SonarWidgetRow kActivePingSwitch{368, 80, 63, 57, 5, false, 6, "X368Y080.bmp", -1, "flpswtch.WAV"};
inline constexpr SonarWidgetRow kActiveOrientationSwitch{340, 164, 78, 72, 5, false, 7, "X340Y164.bmp", -1,
                                                         "flpswtch.WAV"};
inline constexpr SonarWidgetRow kActiveTransmit{445, 55, 85, 81, 6, false, 8, "X445Y055.bmp", 714, "cvrbtn.WAV"};
inline constexpr SonarWidgetRow kActiveDesignate{480, 275, 46, 56, 2, false, 9, "X480Y275.bmp", 713, "litbtn.WAV"};
inline constexpr SonarWidgetRow kActiveReport{355, 370, 54, 37, 2, false, 10, "X355Y370.bmp", 712, "litbtn.WAV"};
inline constexpr SonarKnobRow kActiveRangeKnobRow{
    {425, 164, 107, 75, 5, false, 5, "X425Y164.bmp", -1, kSonarKnobSound}, 270, 180, 5, 54, 37};
inline constexpr SonarHotSpotRow kActiveHotSpots[] = {{{139, 12, 190, 23}, 427},
                                                      {{388, 61, 475, 72}, 428},
                                                      {{377, 150, 491, 161}, 429},
                                                      {{363, 253, 505, 264}, 430},
                                                      {{397, 334, 464, 345}, 431}};
inline constexpr SonarPageArt kActiveArt{"activesonar", "snr_act", "scrn23d.bmp", "Sonar\\Active"};
inline constexpr const char* kPingReturnWave = "pingret.wav";

/// The range-scale knob: stores the index; the display takes it at its next ping.
class ActiveRangeKnob : public SonarKnob {
public:
    explicit ActiveRangeKnob(WindowHandle page) : SonarKnob(page, kActiveRangeKnobRow) {}
    void setValue(int detent) override;
};

class ActiveSonarPage : public SonarPageScreen {
public:
    explicit ActiveSonarPage(WindowHandle suite);

    ActiveSonarState& state() { return state_; }
    ActiveDisplay& display() { return *display_; }
    /// The commands of the page's widgets.
    int pageCommand(int id, int value) override;

    /// The contact label at the cursor; drawn when it changed (or always when forced).
    void refreshLabel(bool force);

protected:
    void openPage() override;
    void closePage() override;

private:
    void transmit();
    void designate();
    void report();
    void showCursor();

    ActiveSonarState state_;
    ButtonToggle* pingSwitch_ = nullptr;
    ButtonToggle* orientationSwitch_ = nullptr;
    ActiveRangeKnob* knob_ = nullptr;
    ReadOut* bearingReadout_ = nullptr;
    ReadOut* rangeReadout_ = nullptr;
    ActiveDisplay* display_ = nullptr;
    SoundSample* pingReturn_ = nullptr;
    int shownNumber_ = -1; ///< the contact number the label shows; -1 forces a redraw
    int shownBearing_ = -1, shownRange_ = -1;
};

} // namespace q71
