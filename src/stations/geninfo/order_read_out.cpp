#include "stations/geninfo/order_read_out.h"

#include "sim/simulation/geometry.h"

#include <cmath>

namespace q71 {

ReadOutShown orderReadOutShows(int actual, int ordered, bool orderMode, bool pending) {
    if (!orderMode)
        return {ReadOutShown::kValue, actual};
    if (pending)
        return {ReadOutShown::kLeave};
    if (ordered != actual)
        return {ReadOutShown::kValue, ordered};
    return {ReadOutShown::kBlank};
}

int readOutWhole(double value) {
    return static_cast<int>(value + 0.5);
}

int readOutCourse(double degrees) {
    // Made non-negative before the rounding, so that a negative angle rounds like its positive twin.
    double d = std::fmod(degrees, 360.0);
    if (d < 0.0)
        d += 360.0;
    return readOutWhole(d) % 360;
}

int depthFeetOf(double z) {
    return static_cast<int>(28.5 - z * kMetresToYards * 3.0);
}

double verticalOfDepthFeet(double feet) {
    return -(feet - 28.0) * kFeetToMetres;
}

OrderReadOut::OrderReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount)
    : SmallReadOut(parentWindow, controlId, x, y, digitCount, true, true) {}

void OrderReadOut::onTick() {
    SmallReadOut::onTick();
    pending_ = false;
}

void OrderReadOut::enterOrderMode() {
    if (!orderMode_) {
        setLit(false);
        invalidate(nullptr, false);
    }
    orderMode_ = true;
}

void OrderReadOut::onLeftDown(int x, int y) {
    enterOrderMode();
    SmallReadOut::onLeftDown(x, y);
    pending_ = true;
}

void OrderReadOut::onRightDown(int x, int y) {
    enterOrderMode();
    SmallReadOut::onRightDown(x, y);
    pending_ = true;
}

void OrderReadOut::leaveOrderMode() {
    if (orderMode_) {
        setLit(true);
        invalidate(nullptr, false);
    }
    orderMode_ = false;
}

void OrderReadOut::refresh(int actual, int ordered) {
    const ReadOutShown shown = orderReadOutShows(actual, ordered, orderMode_, pending_);
    if (shown.kind == ReadOutShown::kValue && getValue() != shown.value)
        setValue(shown.value);
    else if (shown.kind == ReadOutShown::kBlank && getValue() != -1)
        clear();
}

} // namespace q71
