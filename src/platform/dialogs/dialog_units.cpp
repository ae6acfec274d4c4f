#include "platform/dialogs/dialog_units.h"

namespace q71 {
namespace {

constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

// a * b / c rounded to the nearest whole number, halves away from zero.
int scaleRounded(int a, int b, int c) {
    long long product = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

DialogUnits::DialogUnits(const Font& font) {
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    baseX_ = (font.textWidth(kLetters) / 26 + 1) / 2;
    baseY_ = font.metrics().height;
    if (baseX_ < 1)
        baseX_ = 1;
    if (baseY_ < 1)
        baseY_ = 1;
}

int DialogUnits::toPixelsX(int units) const {
    return scaleRounded(units, baseX_, 4);
}

int DialogUnits::toPixelsY(int units) const {
    return scaleRounded(units, baseY_, 8);
}

Rect DialogUnits::toPixels(int x, int y, int width, int height) const {
    int left = toPixelsX(x), top = toPixelsY(y);
    return {left, top, left + toPixelsX(width), top + toPixelsY(height)};
}

FontRef dialogFontOf(const DialogTemplate& dialog) {
    LogFont description;
    description.height =
        -scaleRounded(dialog.pointSize > 0 ? dialog.pointSize : 9, kScreenDpi, kPointsPerInch);
    description.weight = kFontWeightNormal;
    description.pitchAndFamily = kVariablePitch | kFamilySwiss;
    description.faceName = std::string(dialog.fontFace);
    return Font::create(description);
}

} // namespace q71
