#pragma once
// The TMA's editable readouts: a large readout whose commit, two seconds after the last click,
// tells the screen the typed value and repaints the digits, erased, when the value changed.

#include "framework/widgets/read_out_strips.h"

namespace q71 {

class TmaReadOut : public LargeReadOut {
public:
    TmaReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount);

    void onTick() override;

private:
    int committed_ = -1;
};

} // namespace q71
