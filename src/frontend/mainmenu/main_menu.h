#pragma once
// The main menu: a button for each screen of the game that exists, and the way out.

#include "frontend/front_end_screen.h"

#include <memory>
#include <vector>

namespace q71 {

class SimpleButton;

class MainMenu : public FrontEndScreen {
public:
    explicit MainMenu(WindowHandle parent);
    ~MainMenu() override;

    /// Loads the picture, makes the buttons and plays the menu's theme.
    void open() override;
    void close() override;
    /// A button: its screen, or the quit question.
    int onCommand(WParam wParam, LParam lParam) override;

    /// The buttons shown, top to bottom, by their entry.
    std::vector<int> shownEntries() const;

private:
    std::vector<std::unique_ptr<SimpleButton>> buttons_;
};

} // namespace q71
