#pragma once
// The ship control station ("shipctrl", station 0 of the host): the helm and diving panel. It shows
// the boat's depth, speed, air, towed array and trim, takes the orders for depth, speed, snorkel,
// compressor, towed arrays and winch, emergency blow, diving and the high-frequency sonar, passes
// them to the own boat and the peers, and answers with the crew's voice and a log line. The host
// calls its three replies after its own order readouts commit.

#include "framework/app/sub_screen.h"
#include "stations/geninfo/order_replies.h"

#include <array>
#include <memory>
#include <vector>

namespace q71 {

class BlowLever;
class ButtonToggle;
class CourseDial;
class EngineDial;
class HelmWheel;
class PlaneDial;
class RWhfsonar;
class RudderDial;
class ShipCtrlRWDial;
class DetentSwitch;
class HotSpot;
class LargeReadOut;
class OwnShipEntity;

class ShipControl : public SubScreen, public OrderReplies {
public:
    ShipControl(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    ~ShipControl() override;

    void open() override;
    void close() override;
    void update() override;
    void onShow() override;
    void onHide() override;
    int onKey(int key, int category) override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;

    void courseReply(bool voice) override;
    void speedReply(bool voice) override;
    void depthReply(bool voice) override;

    LargeReadOut& readOut(int id) const;
    ButtonToggle& control(int id) const;
    CourseDial& courseDial() const { return *courseDial_; }
    EngineDial& engineDial() const { return *engineDial_; }
    PlaneDial& sternPlanesDial() const { return *sternDial_; }
    PlaneDial& bowPlanesDial() const { return *bowDial_; }
    RudderDial& rudderDial() const { return *rudderDial_; }
    HelmWheel& helmWheel() const { return *wheel_; }
    RWhfsonar& hfSonarDisplay() const { return *hfDisplay_; }
    /// The trim gauge's reading (pitch x 10) last drawn.
    int trimReading() const { return trim_; }

private:
    void buildWidgets();
    std::array<ShipCtrlRWDial*, 6> dials() const;
    void command(int id, int value);
    void snorkel(OwnShipEntity& own, int value);
    void selectArray(OwnShipEntity& own, int value);
    void winch(OwnShipEntity& own, int value);
    void emergencyBlow(OwnShipEntity& own, int value);
    void dive(OwnShipEntity& own, int value);
    void showWinch(OwnShipEntity& own);
    void showHfSonar(bool on);
    void paintTrimGauge(DeviceContext& dc) const;

    std::array<std::unique_ptr<LargeReadOut>, 6> readOuts_; ///< ids 300 ... 800
    std::unique_ptr<ButtonToggle> hfSonar_;
    std::unique_ptr<ButtonToggle> snorkel_;
    std::unique_ptr<ButtonToggle> compressor_;
    std::unique_ptr<ButtonToggle> arraySelector_;
    std::unique_ptr<DetentSwitch> winch_;
    std::unique_ptr<BlowLever> blowLever_;
    std::unique_ptr<ButtonToggle> dive_;
    std::unique_ptr<CourseDial> courseDial_;
    std::unique_ptr<EngineDial> engineDial_;
    std::unique_ptr<PlaneDial> sternDial_;
    std::unique_ptr<PlaneDial> bowDial_;
    std::unique_ptr<RudderDial> rudderDial_;
    std::unique_ptr<HelmWheel> wheel_;
    std::unique_ptr<RWhfsonar> hfDisplay_;
    std::vector<std::unique_ptr<HotSpot>> tips_;
    std::uintptr_t blowSample_ = 0;
    int trim_ = 0;
};

/// Registers ship control for station slot 0.
void shipControlRegister();

} // namespace q71
