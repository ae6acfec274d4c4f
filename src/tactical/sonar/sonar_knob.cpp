#include "tactical/sonar/sonar_knob.h"

namespace q71 {

SonarKnob::SonarKnob(WindowHandle page, const SonarKnobRow& row)
    : DetentSwitch(page, row.widget.id, row.widget.bitmap, row.widget.x, row.widget.y, row.widget.width,
                   row.widget.height, row.widget.frames, row.startAngle, row.sweep, row.positions,
                   row.widget.windowed) {
    if (row.pivotX != 0 || row.pivotY != 0)
        setLimits(row.pivotX, row.pivotY);
    setClickSound(kSonarKnobSound, 1);
}

void SonarKnob::onTurnEnd(int detent) {
    setValue(detent);
    DetentSwitch::onTurnEnd(detent);
}

} // namespace q71
