#pragma once
// The fire-control display ("FireDisplay"): the fire-control chart with the own boat, its
// contacts and weapons, refreshed every 400 ms and as the world reports entities and contacts
// while the page is open; the contact selector whose choice the chart's readouts show; its pan,
// scale and lock buttons, the switch that shows every launcher's waypoints, and the page buttons.
// Closing it hands its view to the navigation chart.

#include "stations/nav/nav_page.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {

class ButtonToggle;
class Entity;
class FireChart;
class FirePanel;
class FirePlot;
class HotSpot;
class SimpleButton;
class StaticText;
class TubeSelectPanel;
class WeaponConsole;
class WirePanel;
class SuperListBox;
struct ContactRecord;

class FireDisplay : public NavPage {
public:
    /// The chart's refresh timer and its period.
    static constexpr std::uintptr_t kUpdateTimer = 1000;
    static constexpr std::uint32_t kUpdateMs = 400;

    /// The display of a station whose fire panel assigns the tubes' targets.
    FireDisplay(WindowHandle screen, FirePanel& firePanel);
    ~FireDisplay() override;

    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;
    /// The readouts, then the fire panel's update.
    void update() override;

    /// The contact selector: "no contact" (item data -1) and each contact of the own boat by its
    /// designation (item data: its designation number).
    SuperListBox& contactSelector() const { return *selector_; }
    /// Fills the selector anew, keeping its choice when that is still there, else "no contact".
    void fillContactList();
    /// The contact whose designation the selector shows becomes the selected one: the readouts
    /// show it and its plot item is marked; with none the selector shows "no contact".
    void refreshReadouts();
    /// The designation number of the selected contact, 0 for none.
    std::int32_t selectedContact() const { return selectedContact_; }

    /// The world's reports while the page is open (flag 0: added; else destroyed or dropped).
    void onEntityEvent(Entity* entity, int flag);
    void onContactEvent(ContactRecord* contact, int flag);

    FireChart* chart() const { return chart_.get(); }
    /// The plot of the own boat, its contacts and its weapons while the page is open, else null.
    const FirePlot* plot() const { return plot_.get(); }
    /// Whether every launcher's waypoints are shown.
    bool showingAll() const { return showAll_; }
    /// The guidance view of a tube whose torpedo hears the wire (commands 1700-1703; "Return",
    /// command 1, leaves it).
    WirePanel& wirePanel() const { return *wire_; }
    /// The overview of the launchers and the contact selector, shown while no launcher view is.
    TubeSelectPanel& tubeSelect() const { return *tubeSelect_; }
    /// The settings of a cell (commands 1500-1511) or a tube (1600-1603); "Return" leaves them.
    WeaponConsole& console() const { return *console_; }
    /// The button that leaves a launcher's view, and its label.
    SimpleButton& returnButton() const { return *return_; }
    const StaticText& returnLabel() const { return *returnLabel_; }
    /// The switch that shows every launcher's waypoints.
    SimpleButton& showAllButton() const { return *showAllButton_; }
    /// The base paint and the labels of the launcher views.
    void paint(DeviceContext& dc) override;

private:
    int pageCommand(int id, int value) override;
    void openPage() override;
    /// Leaves a launcher's view (writing the console's settings back), then lets the page go.
    void closePage() override;
    /// Frees what the open page holds, without touching the launchers.
    void releasePage();
    void showAllWaypoints(bool on);
    /// Enables the show-all switch or shows it disabled; enabled, it shows the flag's state again.
    void enableShowAll(bool enabled);
    /// The launcher views' commands; true when one took it.
    bool viewCommand(int id, int value);
    /// The settings of a tube or cell in place of the overview.
    void openConsole(int index, bool isCell);
    /// Hides the wire panel and the console (which writes its settings back).
    void leaveLauncherView();
    /// The launcher overview, its tube buttons taking clicks when a choice stands in the selector.
    void showOverview();
    /// A contact is chosen, or "no contact" (the set course) is.
    bool tubeTargetsEnabled() const;
    /// The selector's entries no longer match the own boat's contacts (one was renumbered).
    bool contactListStale() const;
    std::string selectorText() const;

    std::unique_ptr<FireChart> chart_;
    std::unique_ptr<FirePlot> plot_;
    SimpleButton* showAllButton_ = nullptr;
    ButtonToggle* lock_ = nullptr;
    std::unique_ptr<HotSpot> hotSpot_;
    std::unique_ptr<TubeSelectPanel> tubeSelect_;
    std::unique_ptr<WirePanel> wire_;
    std::unique_ptr<WeaponConsole> console_;
    SimpleButton* return_ = nullptr;
    std::unique_ptr<StaticText> returnLabel_;
    SuperListBox* selector_ = nullptr;
    std::int32_t selectedContact_ = 0;
    bool showAll_ = false;
    bool open_ = false;
};

/// Chooses the contact of that designation number in the live display's selector and shows it
/// in the readouts; false when the selector has no such entry (or there is no display).
bool fireHighlightContact(std::int32_t designationNumber);

} // namespace q71
