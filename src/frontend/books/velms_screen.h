#pragma once
// The reference book ("velmsScreen"): every object record of the data set, in the database's
// order, with its model, its figures and its page.

#include "frontend/books/book_screen.h"

namespace q71 {

class VelmsScreen : public BookScreen {
public:
    using BookScreen::BookScreen;

protected:
    std::vector<BookEntry> makeEntries() const override;
    int titleText() const override;
    const char* group() const override;
};

} // namespace q71
