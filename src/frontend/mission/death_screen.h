#pragma once
// The loss of the own boat: why it was lost; a click (or a dismiss key) goes on to the debriefing.

#include "frontend/front_end_screen.h"

namespace q71 {

class DeathScreen : public FrontEndScreen {
public:
    explicit DeathScreen(WindowHandle parent);

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;

    /// The words of a loss cause (1 to 6); a general line for any other.
    static std::string causeText(int cause);

protected:
    bool skip() override;
};

} // namespace q71
