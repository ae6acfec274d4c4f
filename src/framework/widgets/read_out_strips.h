#pragma once
// The two readouts of the stations on the shared digit strips: SmallReadOut on the 10 by 10
// cells of "smallnum.bmp", LargeReadOut on the 13 by 13 cells of "numerals.bmp". All readouts of
// one kind share one loaded strip, read by the first that loads it and freed with the last of
// them.

#include "framework/widgets/read_out.h"
#include "framework/widgets/widget_bitmap.h"

namespace q71 {

/// One strip shared by every readout of a kind, and where its failures are reported from.
struct SharedDigitStrip {
    SharedDigitStrip(const char* file, const char* sourceName, int archive, int warning, int fatal)
        : fileName(file), source(sourceName), archiveLine(archive), warningLine(warning), fatalLine(fatal) {}

    const char* fileName;
    const char* source;
    int archiveLine;
    int warningLine;
    int fatalLine;
    int users = 0;
    WidgetBitmap bitmap;
};

/// A windowless readout on a shared strip.
class SharedStripReadOut : public ReadOut {
public:
    SharedStripReadOut(SharedDigitStrip& strip, int cellSize, WindowHandle parentWindow, int controlId, int x,
                       int y, int digitCount, bool editable, bool withLimits);
    /// The last readout of its kind frees the strip.
    ~SharedStripReadOut() override;

    /// Loads the shared strip unless it is loaded (failure is fatal) and cuts the frames from it.
    void loadResources() override;
    /// Forgets the strip (it stays loaded for the others).
    void freeResources() override;

private:
    SharedDigitStrip& strip_;
};

class SmallReadOut : public SharedStripReadOut {
public:
    SmallReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount, bool editable,
                 bool withLimits);
    /// The strip of all small readouts.
    static const SharedDigitStrip& strip();
};

class LargeReadOut : public SharedStripReadOut {
public:
    LargeReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount, bool editable,
                 bool withLimits);
    /// The strip of all large readouts.
    static const SharedDigitStrip& strip();
};

} // namespace q71
