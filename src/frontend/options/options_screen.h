#pragma once
// The options: three pages (display, crew, realism) of lines, each clicked to move its value on.
// The edits stay on the screen until they are validated (applyCurrentPage): then they go into
// the program's record, "options.db" is written and the options that act at once are applied;
// cancel leaves everything as it was. Argument 0 goes back to the main menu, 1 to the mission.

#include "frontend/front_end_screen.h"
#include "frontend/glass_list.h"
#include "frontend/options/options_pages.h"

#include <memory>
#include <vector>

namespace q71 {

class SimpleButton;

/// The options screen's arguments: where it goes back to.
inline constexpr int kOptionsBackToMenu = 0;
inline constexpr int kOptionsBackToHost = 1;

class OptionsScreen : public FrontEndScreen {
public:
    OptionsScreen(WindowHandle parent, int argument);
    ~OptionsScreen() override;

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// Esc cancels.
    int onKey(int key, int category) override;

    /// Shows a page.
    void showPage(OptionsPage page);
    OptionsPage page() const { return page_; }
    /// Moves the value of a line of the shown page on.
    void cycleLine(int row);
    /// Commits the edits of the pages into the record, writes "options.db" (a failed write is
    /// said; the record stays), applies tool tips, chart defaults and report level, and goes back.
    void applyCurrentPage();
    /// Goes back without changing anything.
    void cancel();

    const OptionsRecord& edited() const { return edited_; }
    GlassList* lines() const { return lines_.get(); }

private:
    void fillLines();
    void goBack();

    int argument_;
    OptionsPage page_ = OptionsPage::Display;
    OptionsRecord edited_;
    std::unique_ptr<GlassList> lines_;
    std::vector<std::unique_ptr<SimpleButton>> tabs_;
    std::unique_ptr<SimpleButton> validate_;
    std::unique_ptr<SimpleButton> cancel_;
};

} // namespace q71
