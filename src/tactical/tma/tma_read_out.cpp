#include "tactical/tma/tma_read_out.h"

namespace q71 {

TmaReadOut::TmaReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount)
    : LargeReadOut(parentWindow, controlId, x, y, digitCount, true, false) {
    setName("TmaReadOut");
}

namespace {

std::vector<int> digitsOf(const ReadOut& readOut) {
    std::vector<int> digits;
    for (int position = 0; position < readOut.digitCount(); ++position)
        digits.push_back(readOut.digit(position));
    return digits;
}

} // namespace

void TmaReadOut::noteClick(const std::vector<int>& before) {
    // A click on a digit changes it and restarts the commit; one beside the digits does neither.
    if (digitsOf(*this) != before)
        pending_ = true;
}

void TmaReadOut::onLeftDown(int x, int y) {
    const std::vector<int> before = digitsOf(*this);
    LargeReadOut::onLeftDown(x, y);
    noteClick(before);
}

void TmaReadOut::onRightDown(int x, int y) {
    const std::vector<int> before = digitsOf(*this);
    LargeReadOut::onRightDown(x, y);
    noteClick(before);
}

void TmaReadOut::onTick() {
    pending_ = false;
    const int typed = getValue();
    auto alive = watch();
    LargeReadOut::onTick();
    if (alive.expired())
        return;
    if (typed != committed_) {
        committed_ = typed;
        invalidate(nullptr, true);
    }
}

std::optional<int> TmaReadOut::takePending() {
    const int typed = getValue();
    if (!pending_ || typed < 0) // a blank digit is left to the commit, which blanks the readout
        return std::nullopt;
    pending_ = false;
    stopTimer();
    committed_ = typed;
    return typed;
}

} // namespace q71
