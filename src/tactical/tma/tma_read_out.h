#pragma once
// The TMA's editable readouts: a large readout whose commit, two seconds after the last click,
// tells the screen the typed value and repaints the digits, erased, when the value changed.
// Digits clicked but not yet committed are known as pending (the screen leaves them shown) and
// can be taken at once (a solution stored meanwhile, the screen closed).

#include "framework/widgets/read_out_strips.h"

#include <optional>

namespace q71 {

class TmaReadOut : public LargeReadOut {
public:
    TmaReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount);

    void onLeftDown(int x, int y) override;
    void onRightDown(int x, int y) override;
    void onTick() override;

    /// Digits were clicked in and wait for their commit.
    bool pending() const { return pending_; }
    /// The value clicked in and not yet committed, which is then no longer due: none when
    /// nothing waits (or a digit is blank).
    std::optional<int> takePending();

private:
    void noteClick(const std::vector<int>& before);

    int committed_ = -1;
    bool pending_ = false;
};

} // namespace q71
