#pragma once
// The ship book ("ShipBooksScreen"): the own boat, the page of its stations and the page of its
// weapons, then each weapon it carries with its own page.

#include "frontend/books/book_screen.h"

namespace q71 {

class ShipBooksScreen : public BookScreen {
public:
    using BookScreen::BookScreen;

protected:
    std::vector<BookEntry> makeEntries() const override;
    int titleText() const override;
    const char* group() const override;
};

} // namespace q71
