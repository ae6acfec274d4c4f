#pragma once
// The fire-control display ("FireDisplay"): the fire-control chart with the own boat, its
// contacts and weapons, refreshed every 400 ms while the page is open; its pan, scale and lock
// buttons, the switch that shows every launcher's waypoints, and the page buttons. Closing it
// hands its view to the navigation chart.

#include "stations/nav/nav_page.h"

#include <memory>
#include <vector>

namespace q71 {

class ButtonToggle;
class FireChart;
class FirePlot;
class HotSpot;

class FireDisplay : public NavPage {
public:
    /// The chart's refresh timer and its period.
    static constexpr std::uintptr_t kUpdateTimer = 1000;
    static constexpr std::uint32_t kUpdateMs = 400;

    explicit FireDisplay(WindowHandle screen);
    ~FireDisplay() override;

    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

    FireChart* chart() const { return chart_.get(); }
    /// The plot of the own boat, its contacts and its weapons while the page is open, else null.
    const FirePlot* plot() const { return plot_.get(); }
    /// Whether every launcher's waypoints are shown.
    bool showingAll() const { return showAll_; }

private:
    int pageCommand(int id, int value) override;
    void openPage() override;
    void closePage() override;
    void showAllWaypoints(bool on);

    std::unique_ptr<FireChart> chart_;
    std::unique_ptr<FirePlot> plot_;
    ButtonToggle* showAllButton_ = nullptr;
    ButtonToggle* lock_ = nullptr;
    std::unique_ptr<HotSpot> hotSpot_;
    bool showAll_ = false;
    bool open_ = false;
};

} // namespace q71
