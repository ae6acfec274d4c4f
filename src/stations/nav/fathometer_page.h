#pragma once
// Page 1 of the navigation station: the depth under the keel in feet and the sounding trace,
// with a time-scale knob (the last hour to the last two days) and a depth-scale knob. The knobs'
// detents are kept with the own boat, so a saved game shows the same scales.

#include "stations/nav/nav_page.h"

namespace q71 {

class FathometerTrace;
class ReadOut;

class FathometerPage : public NavPage {
public:
    explicit FathometerPage(WindowHandle screen);
    ~FathometerPage() override;

    /// The background, then the readout's unit.
    void paint(DeviceContext& dc) override;

    FathometerTrace& trace() const { return *trace_; }
    ReadOut& readOut() const { return *readOut_; }
    int timeIndex() const { return timeIndex_; }
    int depthIndex() const { return depthIndex_; }

    /// A knob came to rest: keeps its detent here and with the own boat.
    void knobMoved(int id, int detent);

protected:
    int pageCommand(int id, int value) override;
    void openPage() override;
    void closePage() override;

private:
    class Knob;
    /// Reads the knobs' detents from the own boat; a value outside a knob's range is refused.
    void readStoredScales();

    std::unique_ptr<ReadOut> readOut_;
    std::unique_ptr<FathometerTrace> trace_;
    Knob* timeKnob_ = nullptr;
    Knob* depthKnob_ = nullptr;
    std::vector<std::unique_ptr<BaseWidget>> hotSpots_;
    int timeIndex_ = 0;
    int depthIndex_ = 2;
};

} // namespace q71
