#pragma once
// After a won mission and its movie: the grade, the score and the career points; a click (or a
// dismiss key) leaves the mission for the main menu.

#include "frontend/mission/end_of_mission_screen.h"

namespace q71 {

class VictoryScreen : public EndOfMissionScreen {
public:
    explicit VictoryScreen(WindowHandle parent);

    std::string body() const override;

protected:
    bool skip() override;
};

} // namespace q71
