#pragma once
// The plain state room (station slot 11 of the host): the mission's name and its game clock, the
// options, and a button that ends the mission for the debriefing. It stands where the state room
// with its pages goes, so that a mission can be left and the options reached meanwhile.

#include "framework/app/sub_screen.h"

#include <memory>

namespace q71 {

class SimpleButton;

class PlainStateroom : public SubScreen {
public:
    PlainStateroom(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    ~PlainStateroom() override;

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

/// Registers the plain state room for station slot 11.
void plainStateroomRegister();

} // namespace q71
