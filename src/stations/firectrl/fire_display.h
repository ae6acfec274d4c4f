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
class FirePanel;
class FirePlot;
class HotSpot;
class SimpleButton;
class TubeSelectPanel;
class WeaponConsole;
class WirePanel;

class FireDisplay : public NavPage {
public:
    /// The chart's refresh timer and its period.
    static constexpr std::uintptr_t kUpdateTimer = 1000;
    static constexpr std::uint32_t kUpdateMs = 400;

    /// The display of a station whose fire panel assigns the tubes' targets.
    FireDisplay(WindowHandle screen, FirePanel& firePanel);
    ~FireDisplay() override;

    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;
    /// A choice in the contact selector goes to the launcher overview; the rest as a page's.
    int onCommand(WParam wParam, LParam lParam) override;

    FireChart* chart() const { return chart_.get(); }
    /// The plot of the own boat, its contacts and its weapons while the page is open, else null.
    const FirePlot* plot() const { return plot_.get(); }
    /// Whether every launcher's waypoints are shown.
    bool showingAll() const { return showAll_; }
    /// The guidance view of a tube (commands 1700-1703; "Return", command 1, leaves it).
    WirePanel& wirePanel() const { return *wire_; }
    /// The overview of the launchers and the contact selector, shown while no launcher view is.
    TubeSelectPanel& tubeSelect() const { return *tubeSelect_; }
    /// The settings of a cell (commands 1500-1511) or a tube (1600-1603); "Return" leaves them.
    WeaponConsole& console() const { return *console_; }
    /// The base paint and the labels of the launcher views.
    void paint(DeviceContext& dc) override;

private:
    int pageCommand(int id, int value) override;
    void openPage() override;
    void closePage() override;
    void showAllWaypoints(bool on);
    /// The launcher views' commands; true when one took it.
    bool viewCommand(int id, int value);
    /// Leaves the wire panel and the console for the launcher overview.
    void showOverview();

    std::unique_ptr<FireChart> chart_;
    std::unique_ptr<FirePlot> plot_;
    ButtonToggle* showAllButton_ = nullptr;
    ButtonToggle* lock_ = nullptr;
    std::unique_ptr<HotSpot> hotSpot_;
    std::unique_ptr<TubeSelectPanel> tubeSelect_;
    std::unique_ptr<WirePanel> wire_;
    std::unique_ptr<WeaponConsole> console_;
    SimpleButton* return_ = nullptr;
    bool showAll_ = false;
    bool open_ = false;
};

} // namespace q71
