#pragma once
// The plain in-mission screen of slot 8 ("gen_info"): the mission's name and its game clock while
// the world runs behind it, the options, and a button that ends the mission for the debriefing.
// It stands where the host screen with the crew stations goes.

#include "frontend/front_end_screen.h"

#include <memory>

namespace q71 {

class SimpleButton;

class GenInfoScreen : public FrontEndScreen {
public:
    explicit GenInfoScreen(WindowHandle parent);
    ~GenInfoScreen() override;

    void open() override;
    void close() override;
    /// Redraws the clock when its second changes.
    void update() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;

private:
    std::unique_ptr<SimpleButton> options_;
    std::unique_ptr<SimpleButton> end_;
    long shownSecond_ = -1;
};

} // namespace q71
