#pragma once
// The knobs of the sonar pages: rotary switches that store the detent they come to rest at
// (their set-value operation) before they tell the page, and click with the knobs' sound.

#include "framework/widgets/detent_switch.h"
#include "tactical/sonar/sonar_page.h"

namespace q71 {

/// A knob's table row: the widget row, start and sweep angles, detents, and its pivot (none: 0, 0).
struct SonarKnobRow {
    SonarWidgetRow widget;
    int startAngle, sweep, positions;
    int pivotX, pivotY;
};

/// The knobs of the narrowband and DEMON pages (their pages come later; the data set draws them now).
inline constexpr SonarKnobRow kNarrowbandScaleKnobRow{
    {375, 70, 129, 82, 6, false, 5, "X375Y070.bmp", -1, kSonarKnobSound}, 270, 180, 6, 60, 42};
inline constexpr SonarKnobRow kDemonScaleKnobRow{
    {370, 75, 74, 66, 3, false, 9, "X370Y075.bmp", -1, kSonarKnobSound}, 60, 50, 3, 30, 30};

class SonarKnob : public DetentSwitch {
public:
    /// A knob of a row in a page window.
    SonarKnob(WindowHandle page, const SonarKnobRow& row);
    /// Stores the detent (setValue), then tells the page.
    void onTurnEnd(int detent) override;
    /// The knob's own effect of a new detent.
    virtual void setValue(int detent) = 0;
};

} // namespace q71
