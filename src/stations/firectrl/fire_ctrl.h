#pragma once
// The fire-control station ("FireCtrlScreen", slot 5 of the host): the fire panel, the
// fire-control display with its chart, and the load-out, switched by their page buttons. The
// display is the page it opens on.

#include "framework/app/sub_screen.h"

#include <memory>
#include <string_view>

namespace q71 {

class FireDisplay;
class FirePanel;
class LoadOutScreen;

class FireCtrl : public SubScreen {
public:
    static constexpr int kPanelPage = 0;
    static constexpr int kDisplayPage = 1;
    static constexpr int kLoadOutPage = 2;

    FireCtrl(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    ~FireCtrl() override;

    /// Page commands select their page when it is not the current one; every command is handled.
    int onCommand(WParam wParam, LParam lParam) override;
    /// A side of tubes flooded (0) or recovered: the fire panel's tube panels follow.
    void setTubeSideState(int side, int state);

    FirePanel& firePanel() const;
    FireDisplay& display() const;
    LoadOutScreen& loadOut() const;
};

/// The live station, or null.
FireCtrl* fireCtrl();

/// Registers the station's maker in the host's station table.
void fireRegisterStation();

} // namespace q71
