#pragma once
// The main menu's frame of a book ("ShipBooks", "Velms"): a screen of its own with the book framed
// at 49, 18 as its only child and the way back to the main menu below it (the button or Esc).

#include "frontend/front_end_screen.h"

#include <memory>

namespace q71 {

class SimpleButton;

class ContainerFS : public FrontEndScreen {
public:
    /// The frame of a screen-table slot, whose pictures are in a group of the graphics folder.
    ContainerFS(std::string_view key, WindowHandle parent, const char* group, int slot);
    ~ContainerFS() override;

    /// Stores the framed sub-screen as child 0, the one shown.
    void setChild(std::unique_ptr<SubScreen> child);
    using FullScreen::setChild;

    void open() override;
    void close() override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// Esc goes back; other keys go to the book.
    int onKey(int key, int category) override;

private:
    void leave();

    const char* group_;
    int slot_;
    std::unique_ptr<SimpleButton> back_;
};

/// Registers the frames of the main menu's slots 5 and 6.
void booksRegisterScreens();
/// Registers the books of the host's stations 8 and 9.
void booksRegisterStations();

} // namespace q71
