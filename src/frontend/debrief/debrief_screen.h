#pragma once
// The debriefing, after a mission ends while its world still stands: the result page (name,
// won, score, grade, the goals reached, career points) and the deck log told from the replay
// log. Continuing leads a won mission to the victory movie, any other out of the mission to
// the main menu (a campaign mission to the campaign selection).

#include "frontend/front_end_screen.h"
#include "frontend/glass_list.h"

#include <array>
#include <memory>
#include <string>

namespace q71 {

class SimpleButton;

enum class DebriefPage : int { Result = 0, DeckLog = 1 };
inline constexpr int kDebriefPageCount = 2;

class DebriefScreen : public FrontEndScreen {
public:
    explicit DebriefScreen(WindowHandle parent);
    ~DebriefScreen() override;

    /// Reads the result and the replay log and shows the result page.
    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
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

private:
    void scrollLog(int pages);

    DebriefPage page_ = DebriefPage::Result;
    std::string result_;
    bool logEmpty_ = true;
    std::unique_ptr<GlassList> log_;
    std::array<std::unique_ptr<SimpleButton>, kDebriefPageCount> tabs_;
    std::unique_ptr<SimpleButton> previous_;
    std::unique_ptr<SimpleButton> next_;
    std::unique_ptr<SimpleButton> continue_;
};

} // namespace q71
