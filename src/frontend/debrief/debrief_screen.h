#pragma once
// The debriefing, after a mission ends while its world still stands: the result page (name,
// won, score, grade, the goals reached, career points) beside the animated track plot, the deck
// log told from the replay log, and the replay of the mission on the map with its time control.
// The screen is off the update list: its animations run on timers of its window. Continuing
// leads a won mission to the victory movie, any other out of the mission to the main menu (a
// campaign mission to the campaign selection). The charts leave the mission's grid when the
// screen closes, before the mission ends and frees it.

#include "frontend/debrief/replay_page.h"
#include "frontend/debrief/replay_story.h"
#include "frontend/debrief/track_plot.h"
#include "frontend/front_end_screen.h"
#include "frontend/glass_list.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {

class SimpleButton;

enum class DebriefPage : int { Result = 0, DeckLog = 1, Replay = 2 };
inline constexpr int kDebriefPageCount = 3;

class DebriefScreen : public FrontEndScreen {
public:
    explicit DebriefScreen(WindowHandle parent);
    ~DebriefScreen() override;

    /// Reads the result and the replay log and shows the result page.
    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// The animation timers; a click or a drag on the time bar moves the replay there.
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;
    /// The arrows and page keys move through the deck log; Enter continues.
    int onKey(int key, int category) override;

    void showPage(DebriefPage page);
    DebriefPage page() const { return page_; }
    /// Leaves the debriefing (see above); the screen goes once it is left.
    void continueOn();

    const std::string& resultText() const { return result_; }
    GlassList* deckLog() const { return log_.get(); }
    /// True when the replay log held no record to tell.
    bool logEmpty() const { return logEmpty_; }
    const ReplayStory& story() const { return story_; }
    TrackPlot* trackPlot() const { return plot_.get(); }
    ReplayPage* replay() const { return replay_.get(); }
    /// One step of the track plot's growth (its timer).
    void growTrack();

private:
    void scrollLog(int pages);
    void showWidgets();

    DebriefPage page_ = DebriefPage::Result;
    std::string result_;
    bool logEmpty_ = true;
    bool inCaptainsLog_ = false; ///< the result went into the captain's log (once per debriefing)
    ReplayStory story_;
    std::unique_ptr<GlassList> log_;
    std::unique_ptr<TrackPlot> plot_;
    std::unique_ptr<ReplayPage> replay_;
    std::vector<std::unique_ptr<SimpleButton>> tabs_;
    std::unique_ptr<SimpleButton> previous_;
    std::unique_ptr<SimpleButton> next_;
    std::unique_ptr<SimpleButton> continue_;
};

} // namespace q71
