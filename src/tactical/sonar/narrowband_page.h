#pragma once
// Page 4 of the sonar suite, narrowband: the lines the selected array hears at the cursor
// bearing as a frequency-time waterfall, the reference lines of a platform chosen from the object
// database, and the level trace of the whole circle. The player picks the array, the scale and
// the bearing, hands lines to the trackers and designates the line at the cursor.

#include "tactical/sonar/narrowband_displays.h"
#include "tactical/sonar/sonar_knob.h"
#include "tactical/sonar/sonar_page.h"

namespace q71 {

class ButtonToggle;
class ReadOut;

/// The page's widgets and hot spots, as the data set draws them.
inline constexpr SonarWidgetRow kNarrowbandOrientationSwitch{
    353, 310, 37, 53, 2, false, 6, "X353Y310.bmp", -1, "flpswtch.WAV"};
inline constexpr SonarWidgetRow kNarrowbandRocker{410, 250,         39, 26, 5, false, 7, "X410Y250.bmp",
                                                  -1,  "rocker.wav"};
inline constexpr SonarWidgetRow kNarrowbandDesignate{347, 205,         49, 44, 5, false, 8, "X347Y205.bmp",
                                                     712, "litbtn.WAV"};
inline constexpr SonarWidgetRow kNarrowbandArrayButtons[] = {
    {348, 368, 41, 49, 2, false, 9, "X348Y368.bmp", 548, "winsel.WAV"},
    {440, 370, 38, 48, 2, false, 10, "X440Y370.bmp", 549, "winsel.WAV"},
    {478, 370, 33, 47, 2, false, 11, "X478Y370.bmp", 550, "winsel.WAV"}};
inline constexpr SonarHotSpotRow kNarrowbandHotSpots[] = {{{90, 12, 232, 23}, 447},
                                                          {{102, 199, 222, 210}, 448},
                                                          {{99, 300, 225, 311}, 449},
                                                          {{381, 56, 488, 67}, 438},
                                                          {{401, 178, 465, 189}, 431}};
inline constexpr SonarPageArt kNarrowbandArt{"narrowbandsonar", "snr_nb", "scrn23c.bmp", "Sonar\\NarrowBand"};
/// Where the readouts and the two labels sit.
inline constexpr Point kNarrowbandBearingReadout{465, 294};
inline constexpr Point kNarrowbandFrequencyReadout{392, 152};
inline constexpr Rect kNarrowbandLabelArea{356, 192, 514, 203};
inline constexpr Rect kNarrowbandNameArea{356, 278, 514, 290};

/// The frequency-scale knob: stores its index for the page and in the own boat's settings.
class NarrowbandScaleKnob : public SonarKnob {
public:
    NarrowbandScaleKnob(WindowHandle page, int& scale);
    void setValue(int detent) override;

private:
    int& scale_;
};

class NarrowbandPage : public SonarPageScreen {
public:
    explicit NarrowbandPage(WindowHandle suite);

    int pageCommand(int id, int value) override;
    void paint(DeviceContext& dc) override;

    NarrowbandState& state() { return state_; }
    NarrowbandWaterfall& waterfall() { return *waterfall_; }
    NarrowbandBearingTrace& trace() { return *trace_; }
    NarrowbandReferencePanel& reference() { return *reference_; }
    /// The name of the reference platform on show.
    const std::string& referenceName() const { return referenceName_; }

protected:
    void openPage() override;
    void closePage() override;

private:
    void frequencyMoved();
    void bearingMoved();
    void refreshLabel();
    void stepReference(bool up);
    void showReferenceName();
    void drawReferenceName(DeviceContext& dc) const;
    void selectArray(int index);
    void designate();

    NarrowbandState state_;
    NarrowbandScaleKnob* knob_ = nullptr;
    ButtonToggle* orientationSwitch_ = nullptr;
    ButtonGroup arrayButtons_{3};
    ReadOut* bearingReadout_ = nullptr;
    ReadOut* frequencyReadout_ = nullptr;
    NarrowbandWaterfall* waterfall_ = nullptr;
    NarrowbandReferencePanel* reference_ = nullptr;
    NarrowbandBearingTrace* trace_ = nullptr;
    std::string referenceName_;
};

} // namespace q71
