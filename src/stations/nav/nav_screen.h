#pragma once
// The navigation station ("navScreen", slot 10 of the host): the chart page and the fathometer
// page, switched by the page buttons of either.

#include "framework/app/sub_screen.h"

#include <memory>
#include <string_view>

namespace q71 {

class FathometerPage;
class NavChartPage;

class NavScreen : public SubScreen {
public:
    static constexpr int kChartPage = 0;
    static constexpr int kFathometerPage = 1;

    NavScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    ~NavScreen() override;

    /// The page buttons (0, 1) select their page when it is not the current one.
    int onCommand(WParam wParam, LParam lParam) override;

    NavChartPage& chartPage() const;
    FathometerPage& fathometerPage() const;
};

/// The live navigation station, or null.
NavScreen* navScreen();

/// Registers the station's maker in the host's station table.
void navRegisterStation();

} // namespace q71
