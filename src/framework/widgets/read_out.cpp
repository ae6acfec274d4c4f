#include "framework/widgets/read_out.h"

#include "platform/gdi/blit.h"

#include <algorithm>
#include <cstdlib>

namespace q71 {
namespace {

constexpr int kFrames = 22;
constexpr int kUnlitOffset = 11;
constexpr std::uint32_t kCommitMs = 2000;
constexpr int kTopDigit = 9;

} // namespace

ReadOut::ReadOut(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                 int digitCount, bool editable, bool windowed, bool withLimits)
    : ButtonToggle(parentWindow, controlId, x, y, width, height, windowed),
      digits_(static_cast<std::size_t>(std::max(digitCount, 0)), 0), editable_(editable) {
    setName("ReadOut");
    if (withLimits)
        limits_.assign(digits_.size(), kTopDigit);
    // Square cells as high as the widget.
    frameWidth_ = height;
    allocateFrames(kFrames);
}

int ReadOut::digit(int position) const {
    return position >= 0 && position < digitCount() ? digits_[static_cast<std::size_t>(position)] : kBlank;
}

int ReadOut::setDigit(int position, int value) {
    if (value < 0 || value > kBlank || position < 0 || position >= digitCount())
        return 0;
    int& stored = digits_[static_cast<std::size_t>(position)];
    if (stored == value)
        return 1;
    stored = value;
    const Rect cell = cellRect(position);
    invalidate(&cell, false);
    return 1;
}

int ReadOut::setValue(int n) {
    // Widened first: the magnitude of the lowest int does not fit an int.
    long long rest = std::llabs(static_cast<long long>(n));
    for (int position = digitCount() - 1; position >= 0; --position) {
        setDigit(position, static_cast<int>(rest % 10));
        rest /= 10;
    }
    return 1;
}

void ReadOut::clear() {
    for (int position = 0; position < digitCount(); ++position)
        setDigit(position, kBlank);
}

int ReadOut::getValue() const {
    int value = 0;
    for (int d : digits_) {
        if (d == kBlank)
            return -1;
        value = value * 10 + d;
    }
    return value;
}

void ReadOut::setDigitLimit(int position, int maximum) {
    // A limit outside the digits would count a digit past the strip's cells.
    if (!limits_.empty() && position >= 0 && position < digitCount())
        limits_[static_cast<std::size_t>(position)] = std::clamp(maximum, 0, kTopDigit);
}

void ReadOut::setLit(bool lit) {
    if (lit == lit_)
        return;
    lit_ = lit;
    invalidate(nullptr, false);
}

Rect ReadOut::cellRect(int position) const {
    return {position * frameWidth_, 0, (position + 1) * frameWidth_, height_};
}

int ReadOut::cellAt(int x) const {
    const int offset = windowed_ ? x : x - x_;
    if (offset < 0 || frameWidth_ <= 0)
        return -1;
    const int cell = offset / frameWidth_;
    return cell < digitCount() ? cell : -1;
}

void ReadOut::paint(PaintRecord& paint) {
    if (header_.empty())
        return;
    const int left = windowed_ ? 0 : x_;
    const int top = windowed_ ? 0 : y_;
    for (int i = 0; i < digitCount(); ++i) {
        const int d = digits_[static_cast<std::size_t>(i)];
        const Frame* f = frame(lit_ ? d : d + kUnlitOffset);
        if (f && !f->bits.empty())
            setDIBitsToDevice(*paint.dc, left + i * frameWidth_, top, frameWidth_, frameHeight_, 0, 0, 0,
                              frameHeight_, f->bits, header_);
    }
}

void ReadOut::restartCommit() {
    stopTimer();
    startTimer(kCommitMs);
}

void ReadOut::onLeftDown(int x, int) {
    const int cell = cellAt(x);
    if (!editable_ || cell < 0)
        return;
    int& d = digits_[static_cast<std::size_t>(cell)];
    if (!limits_.empty() && d >= limits_[static_cast<std::size_t>(cell)])
        d = 0;
    else
        d = d + 1 >= kBlank ? 0 : d + 1; // a blank counts on from 0 too
    const Rect area = cellRect(cell);
    invalidate(&area, false);
    restartCommit();
}

void ReadOut::onRightDown(int x, int) {
    const int cell = cellAt(x);
    if (!editable_ || cell < 0)
        return;
    int& d = digits_[static_cast<std::size_t>(cell)];
    const int top = limits_.empty() ? kTopDigit : limits_[static_cast<std::size_t>(cell)];
    d -= 1;
    // A blank counts down from past every digit: it lands on the top one, never beyond the limit.
    if (d < 0 || d > top)
        d = top;
    invalidate(nullptr, false);
    restartCommit();
}

void ReadOut::onTick() {
    stopTimer();
    const int value = getValue();
    if (value >= 0) {
        notifyParent(value);
        return;
    }
    for (int& d : digits_)
        d = kBlank;
    invalidate(nullptr, false);
}

} // namespace q71
