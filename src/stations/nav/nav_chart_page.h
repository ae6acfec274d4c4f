#pragma once
// Page 0 of the navigation station: the chart with the own boat, its contacts (or, by a hidden
// word, the world as it is) and the waypoints; the view's buttons, the own-boat lock and the
// contacts toggle; the waypoint keys; and the designation of a contact's kind and side.

#include "framework/textmngr/text_manager.h"
#include "stations/nav/hidden_sequence.h"
#include "stations/nav/nav_contact_marker.h"
#include "stations/nav/nav_page.h"

#include <memory>
#include <optional>
#include <vector>

namespace q71 {

class ButtonToggle;
class Entity;
class NavChartWindow;
struct ContactRecord;

class NavChartPage : public NavPage {
public:
    /// The update timer and its period.
    static constexpr std::uintptr_t kUpdateTimer = 1100;
    static constexpr std::uint32_t kUpdateMs = 400;
    /// The letters that switch the true display (logged as an option event, kOptionTrueDisplay).
    static constexpr const char* kTrueDisplayWord = "VRAI";

    explicit NavChartPage(WindowHandle screen);
    ~NavChartPage() override;

    /// The waypoint keys, then the hidden word; a key that is neither is left (0).
    int onKey(int key, int category) override;
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

    /// The 400 ms update: the own boat's marker (and the view when locked), then the others.
    void updateMarkers();
    /// Builds the markers afresh for the display.
    void rebuildMarkers();
    /// Designates the first contact marker within 10 pixels of a chart point; true when found.
    bool designateAt(Point chartPoint);

    NavChartWindow* chart() const { return chart_.get(); }
    const NavDisplay& display() const { return display_; }
    const std::vector<std::unique_ptr<NavContactMarker>>& markers() const { return markers_; }
    std::optional<std::int32_t> designated() const { return designated_; }
    int hiddenPosition() const { return hidden_.position(); }

protected:
    int pageCommand(int id, int value) override;
    void openPage() override;
    void closePage() override;

private:
    void buildChart();
    void addOwnShipMarker();
    NavContactMarker& addMarker(std::int32_t id, double worldX, double worldY);
    NavContactMarker* findMarker(std::int32_t id);
    void removeMarker(std::int32_t id);
    void updateContactMarkers(double now);
    void setDesignation(int id);
    void flipTrueDisplay();
    static void onEntity(std::uintptr_t owner, Entity* entity, int flag);
    static void onContact(std::uintptr_t owner, ContactRecord* contact, int flag);

    std::unique_ptr<NavChartWindow> chart_;
    ButtonToggle* lock_ = nullptr;
    ButtonToggle* contactsButton_ = nullptr;
    KeyBinding addKey_, deleteKey_, cancelKey_;
    NavDisplay display_;
    HiddenSequence hidden_{kTrueDisplayWord};
    std::optional<std::int32_t> designated_;
    std::vector<std::unique_ptr<NavContactMarker>> markers_;
    bool observing_ = false;
};

} // namespace q71
