#pragma once
// Page 1 of the sonar suite, intercept: what the own boat's intercept receiver hears of other
// units' active sonars. The polar display shows the bearings of the last five seconds, nine
// lamps the strongest, four readouts the last intercept; the page has no controls of its own.

#include "tactical/sonar/intercept_scope.h"
#include "tactical/sonar/sonar_page.h"

#include <array>

namespace q71 {

class ReadOut;
class SimpleButton;

inline constexpr int kInterceptLampCount = 9;
/// The lamps, left to right.
inline constexpr SonarWidgetRow kInterceptLamps[kInterceptLampCount] = {
    {22, 372, 30, 20, 2, false, 5, "X022Y372.bmp", -1, nullptr},
    {54, 372, 30, 20, 2, false, 6, "X054Y372.bmp", -1, nullptr},
    {86, 372, 30, 20, 2, false, 7, "X086Y372.bmp", -1, nullptr},
    {118, 372, 30, 20, 2, false, 8, "X118Y372.bmp", -1, nullptr},
    {150, 372, 30, 20, 2, false, 9, "X150Y372.bmp", -1, nullptr},
    {183, 372, 30, 20, 2, false, 10, "X183Y372.bmp", -1, nullptr},
    {214, 372, 30, 20, 2, false, 11, "X214Y372.bmp", -1, nullptr},
    {247, 372, 30, 20, 2, false, 12, "X247Y372.bmp", -1, nullptr},
    {278, 372, 30, 20, 2, false, 13, "X278Y372.bmp", -1, nullptr}};
inline constexpr SonarHotSpotRow kInterceptHotSpots[] = {{{95, 16, 233, 28}, 441},
                                                         {{120, 354, 205, 365}, 442},
                                                         {{397, 92, 472, 103}, 443},
                                                         {{405, 174, 466, 185}, 444},
                                                         {{404, 257, 468, 268}, 445}};
inline constexpr SonarPageArt kInterceptArt{"interceptsonar", "snr_icpt", "scrn23b.bmp", "Sonar\\Intcpt"};

/// The four readouts: where they sit and how many digits they show.
struct InterceptReadoutRow {
    Point at;
    int digits;
};
inline constexpr InterceptReadoutRow kInterceptBearingReadout{{415, 199}, 3};
inline constexpr InterceptReadoutRow kInterceptSignalReadout{{401, 115}, 5};
inline constexpr InterceptReadoutRow kInterceptSinceReadout{{408, 364}, 4};
inline constexpr InterceptReadoutRow kInterceptIntervalReadout{{415, 280}, 3};

class InterceptPage : public SonarPageScreen {
public:
    explicit InterceptPage(WindowHandle suite);

    int pageCommand(int id, int value) override;

    InterceptScope& scope() { return *scope_; }
    /// The lamps lit (state 1) from the left.
    int lampsLit();
    /// The value each readout shows, -1 before it was first written.
    int shownBearing() const { return shown_[0]; }
    int shownSignal() const { return shown_[1]; }
    int shownSince() const { return shown_[2]; }
    int shownInterval() const { return shown_[3]; }

protected:
    void openPage() override;
    void closePage() override;

private:
    /// Writes the readouts whose value changed, and the lamps of the strongest strength.
    void composed(double strongest);
    void showReadout(int which, int value);

    std::array<SimpleButton*, kInterceptLampCount> lamps_{};
    std::array<ReadOut*, 4> readouts_{};
    std::array<int, 4> shown_{-1, -1, -1, -1};
    std::array<int, 4> digits_{};
    InterceptScope* scope_ = nullptr;
};

} // namespace q71
