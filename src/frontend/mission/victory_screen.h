#pragma once
// After a won mission and its movie: the grade, the score and the career points; a click (or a
// dismiss key) leaves the mission for the main menu.

#include "frontend/front_end_screen.h"

namespace q71 {

class VictoryScreen : public FrontEndScreen {
public:
    explicit VictoryScreen(WindowHandle parent);

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;

    /// The lines the screen shows (grade, score, career points).
    static std::string resultLines();

protected:
    bool skip() override;
};

} // namespace q71
