#pragma once
// What both pages of the navigation station share: a 540 by 420 page with its background in
// its own resource group (missing: fatal), the two page buttons, and controls that are loaded
// as the page opens and freed as it closes. The page buttons' commands go up to the station,
// which switches pages. The fire-control station's pages are built the same way.

#include "framework/app/page_screen.h"
#include "framework/widgets/button_group.h"
#include "stations/nav/nav_layout.h"

#include <memory>
#include <span>
#include <vector>

namespace q71 {

class BaseWidget;
class SimpleButton;

class NavPage : public PageScreen {
public:
    /// What a page is drawn from: group, background, name in fatal reports.
    struct Art {
        const char* group;
        const char* background;
        const char* source;
    };

    /// A page of the station `screen` with its two page buttons; `ownPage` is its button.
    NavPage(std::string_view key, WindowHandle screen, const Art& art, std::span<const NavControlRow> pageButtons,
            int ownPage);
    ~NavPage() override;

    /// Selects the group, reads the background (fatal when either is missing), loads the
    /// controls, runs the page's own opening and selects its page button.
    void open() override;
    /// The page's own closing, then frees the controls and the background.
    void close() override;
    /// The page buttons' commands go up (0); the rest to pageCommand.
    int onCommand(WParam wParam, LParam lParam) override;

    const ButtonGroup& pageButtons() const { return pageButtons_; }

protected:
    virtual int pageCommand(int id, int value) = 0;
    virtual void openPage() {}
    virtual void closePage() {}

    /// A windowless simple button of a row, owned by the page.
    SimpleButton& addButton(const NavControlRow& row, int kind);
    /// Takes a control into the page; it is loaded and freed with the page.
    template <class W> W& add(std::unique_ptr<W> widget) {
        W& held = *widget;
        widgets_.push_back(std::move(widget));
        return held;
    }
    /// Gives a control its click sound and, when pop-up texts are on, its tool tip.
    static void dress(BaseWidget& widget, const NavControlRow& row);

private:
    [[noreturn]] void missing(int line) const;

    Art art_;
    int ownPage_;
    ButtonGroup pageButtons_{2};
    std::vector<std::unique_ptr<BaseWidget>> widgets_;
};

} // namespace q71
