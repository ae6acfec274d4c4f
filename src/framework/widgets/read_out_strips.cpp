#include "framework/widgets/read_out_strips.h"

#include "framework/app/reporter.h"

namespace q71 {
namespace {

constexpr int kSmallCell = 10;
constexpr int kLargeCell = 13;

SharedDigitStrip smallStrip{"smallnum.bmp", "smallread", 50, 59, 60};
SharedDigitStrip largeStrip{"numerals.bmp", "largeread", 51, 60, 61};

} // namespace

SharedStripReadOut::SharedStripReadOut(SharedDigitStrip& strip, int cellSize, WindowHandle parentWindow,
                                       int controlId, int x, int y, int digitCount, bool editable,
                                       bool withLimits)
    : ReadOut(parentWindow, controlId, x, y, digitCount * cellSize, cellSize, digitCount, editable, false,
              withLimits),
      strip_(strip) {
    ++strip_.users;
}

SharedStripReadOut::~SharedStripReadOut() {
    if (--strip_.users == 0)
        strip_.bitmap.free();
}

void SharedStripReadOut::loadResources() {
    if (!strip_.bitmap.load(strip_.fileName)) {
        if (widgetArchiveBitmaps())
            reportFatalCaption(strip_.fileName, "dibCLoad failed?", strip_.archiveLine, strip_.source, 0);
        reportWarning(strip_.fileName, strip_.warningLine, strip_.source, 0);
        reportFatal("Could Not Open Bitmap!", strip_.fatalLine, strip_.source, 0);
    }
    useStrip(strip_.bitmap.header(), strip_.bitmap.bits());
    invalidate(nullptr, false);
}

void SharedStripReadOut::freeResources() {
    header_ = {};
    bits_ = {};
    clearFrames();
}

SmallReadOut::SmallReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount,
                           bool editable, bool withLimits)
    : SharedStripReadOut(smallStrip, kSmallCell, parentWindow, controlId, x, y, digitCount, editable,
                         withLimits) {
    setName("SmallReadOut");
}

const SharedDigitStrip& SmallReadOut::strip() {
    return smallStrip;
}

LargeReadOut::LargeReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount,
                           bool editable, bool withLimits)
    : SharedStripReadOut(largeStrip, kLargeCell, parentWindow, controlId, x, y, digitCount, editable,
                         withLimits) {
    setName("LargeReadOut");
}

const SharedDigitStrip& LargeReadOut::strip() {
    return largeStrip;
}

} // namespace q71
