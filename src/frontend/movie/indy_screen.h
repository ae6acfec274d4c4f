#pragma once
// The campaign's movies (slot 14, "Indy"): before a campaign mission (kind 2) the leg's news at
// its first mission, then the mission's briefing, and the mission starts on the host; after a won
// campaign mission (kind 1) its report, then the port of call at the end of a leg or the campaign
// selection; after the campaign's last mission the end movie of its rating, and the record's
// victory code is set and saved. A click skips; a movie that cannot play is passed over.

#include "frontend/movie/movie_screen.h"

#include <string>
#include <vector>

namespace q71 {

inline constexpr int kIndyReport = 1;
inline constexpr int kIndyBriefing = 2;

/// What the campaign's movies of a kind are, as the campaign stands now.
struct IndyPlan {
    std::vector<std::string> movies;
    bool campaignOver = false; ///< the report of the campaign's last mission
    bool legOver = false;      ///< the report of a leg's last mission
};

/// The movies of a kind and where they lead; the end movie's variant moves on when it is chosen.
IndyPlan indyPlan(int kind);

class IndyScreen : public MovieScreen {
public:
    IndyScreen(WindowHandle parent, int kind);

    int kind() const { return kind_; }
    const IndyPlan& plan() const { return plan_; }

protected:
    void moveOn() override;

private:
    IndyScreen(WindowHandle parent, int kind, IndyPlan plan);

    int kind_;
    IndyPlan plan_;
};

} // namespace q71
