#pragma once
// A screen inside a full screen (a 540 by 420 station, a panel of a menu screen), holding an
// array of pages of which one is current. One sub-screen of the program is the active one:
// showing another closes and hides it.

#include "framework/app/child_screen.h"
#include "framework/app/page_screen.h"
#include "framework/app/screen_slots.h"

#include <memory>

namespace q71 {

class SubScreen : public ChildScreen {
public:
    SubScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    /// Deletes the pages; the screen stops being the active sub-screen.
    ~SubScreen() override;

    /// Updates every page.
    void update() override;
    /// Unless it is the active sub-screen: closes the active one, opens and shows this one with
    /// its current page, hides the old one and becomes the active sub-screen.
    void show() override;
    /// Hides the window and the current page.
    void hide() override;
    /// A sub-screen keeps the commands it is given: they do not climb further.
    int onCommand(WParam wParam, LParam lParam) override;

    /// Makes room for n pages, all empty (pages held before are deleted).
    void setPageCount(int n) { pages_.resize(n); }
    /// Puts a page in an entry (the sub-screen owns it), deleting the one there.
    void setPage(int i, std::unique_ptr<PageScreen> page) { pages_.put(i, std::move(page)); }
    /// Hides page i, deletes it and empties the entry.
    void deletePage(int i) { pages_.erase(i); }
    /// Page i becomes current and opens.
    void openPage(int i);
    /// Shows page i's window.
    void showPage(int i);
    /// Shows page i and closes and hides the current one, unless i is current.
    void selectPage(int i);
    void closePage(int i);
    void hidePage(int i);

    /// Page i, or null for an index outside the array or an empty entry.
    PageScreen* page(int i) const { return pages_.at(i); }
    int pageCount() const { return pages_.count(); }
    int currentPage() const { return currentPage_; }
    void setCurrentPage(int i) { currentPage_ = i; }

private:
    int currentPage_ = -1;
    ScreenSlots<PageScreen> pages_;
};

/// The active sub-screen, or null.
SubScreen* activeSubScreen();
/// Makes a sub-screen the active one.
void setActiveSubScreen(SubScreen* screen);
/// Clears the active sub-screen, only when it is `screen`.
void clearActiveSubScreen(SubScreen* screen);

} // namespace q71
