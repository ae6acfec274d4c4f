#pragma once
// Page 2 of the sonar suite, DEMON: for one of the selected array's four trackers, the
// modulation spectrum of the contact it follows. The player picks the tracker, the frequency
// scale and the rate divisor, and reads the cursor frequency and the rate worked out from it.

#include "tactical/sonar/demon_display.h"
#include "tactical/sonar/sonar_knob.h"
#include "tactical/sonar/sonar_page.h"

namespace q71 {

class ReadOut;

/// The page's widgets and hot spots, as the data set draws them. The first two tracker buttons
/// share one bitmap, 52 wide; the first button shows its left 51 columns.
inline constexpr SonarWidgetRow kDemonTrackerButtons[] = {
    {30, 30, 51, 39, 2, false, 5, "X100Y030.bmp", -1, "pushbtn.wav"},
    {100, 30, 52, 39, 2, false, 6, "X100Y030.bmp", -1, "pushbtn.wav"},
    {170, 30, 51, 39, 2, false, 7, "X170Y030.bmp", -1, "pushbtn.wav"},
    {240, 30, 53, 39, 2, false, 8, "X240Y030.bmp", -1, "pushbtn.wav"}};
inline constexpr SonarWidgetRow kDemonRocker{356, 220,         48, 64, 5, false, 10, "X356Y220.bmp",
                                             -1,  "rocker.wav"};
inline constexpr SonarWidgetRow kDemonArrayButtons[] = {
    {345, 368, 49, 44, 2, false, 12, "X345Y368.bmp", 548, "winsel.WAV"},
    {477, 368, 49, 39, 2, false, 14, "X477Y368.bmp", 550, "winsel.WAV"}};
inline constexpr SonarHotSpotRow kDemonHotSpots[] = {{{100, 110, 230, 121}, 437},
                                                     {{355, 56, 465, 67}, 438},
                                                     {{410, 228, 520, 239}, 439},
                                                     {{405, 294, 505, 305}, 440}};
inline constexpr SonarPageArt kDemonArt{"demonsonar", "snr_dmn", "scrn23e.bmp", "Sonar\\Demon"};
inline constexpr Point kDemonFrequencyReadout{407, 190};
inline constexpr Point kDemonDivisorReadout{418, 246};
inline constexpr Point kDemonRateReadout{418, 312};
/// The tracker labels: at y 69, x 43 + 71 k.
inline constexpr int kDemonLabelY = 69;

/// The frequency-scale knob; the page handles its command.
class DemonScaleKnob : public SonarKnob {
public:
    explicit DemonScaleKnob(WindowHandle page) : SonarKnob(page, kDemonScaleKnobRow) {}
    void setValue(int) override {}
};

class DemonPage : public SonarPageScreen {
public:
    explicit DemonPage(WindowHandle suite);

    int pageCommand(int id, int value) override;
    void paint(DeviceContext& dc) override;

    DemonState& state() { return state_; }
    DemonDisplay& display() { return *display_; }
    /// The label of tracker k (0 to 3) as drawn.
    std::string trackerLabel(int k) const;

protected:
    void openPage() override;
    void closePage() override;

private:
    /// A tracker's label: the letter with its blank, and over it the contact's label (or none).
    struct TrackerLabel {
        std::string blank, contact;
    };
    TrackerLabel trackerLabelParts(int k) const;
    void drawTrackerLabels(DeviceContext& dc) const;
    void redrawTrackerLabels();
    void showDivisor();
    void showFrequency();
    void selectArray(int index);

    DemonState state_;
    DemonScaleKnob* knob_ = nullptr;
    ButtonGroup trackerButtons_{4};
    ButtonGroup arrayButtons_{2};
    ReadOut* frequencyReadout_ = nullptr;
    ReadOut* divisorReadout_ = nullptr;
    ReadOut* rateReadout_ = nullptr;
    DemonDisplay* display_ = nullptr;
    int shownFrequency_ = -1, shownRate_ = -1;
};

} // namespace q71
