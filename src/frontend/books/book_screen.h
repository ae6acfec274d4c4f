#pragma once
// A book of the boat (the ship book, the reference book): a list of entries on the left, and for
// the chosen one its object record's model turning in a 3-D view, its figures and its French page
// from the books folder. The same book stands in the main menu's frame and in the host.

#include "framework/app/sub_screen.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {

class BookModelView;
class GlassList;
class TextBox;
struct ObjectRecord;

/// One entry of a book: the record whose model and figures show, its page and the list's label.
struct BookEntry {
    const ObjectRecord* record = nullptr;
    std::string pageFile;
    std::string label;
};

/// What makes one book what it is.
struct BookKind {
    /// The book's entries, made at each open.
    std::vector<BookEntry> (*makeEntries)();
    /// The text of the book's title.
    int titleText;
    /// The group of the graphics folder with the book's page.
    const char* group;
};

class BookScreen : public SubScreen {
public:
    /// `framed`: the book stands in the main menu's frame (1), or in the host (0).
    BookScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y, int framed,
               const BookKind& kind);
    ~BookScreen() override;

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

    /// Shows an entry (its model from the front, turning on from there).
    void choose(int entry);
    int chosen() const { return chosen_; }
    const std::vector<BookEntry>& entries() const { return entries_; }
    /// The chosen entry's page, as shown ("" lines are paragraph breaks).
    const std::vector<std::string>& page() const { return page_; }
    BookModelView* modelView() const { return view_.get(); }
    /// The list of entries (null while the book is closed).
    GlassList* list() const { return list_.get(); }
    /// Stops or starts the model's turning (a still picture to compare).
    void setTurning(bool turning) { turning_ = turning; }
    bool framed() const { return framed_ != 0; }
    const BookKind& kind() const { return kind_; }

private:
    std::vector<std::string> figureLines() const;

    int framed_;
    const BookKind& kind_;
    std::vector<BookEntry> entries_;
    std::unique_ptr<GlassList> list_;
    std::unique_ptr<BookModelView> view_;
    std::unique_ptr<TextBox> pageBox_; ///< the page, scrolled when it is longer than its glass
    std::vector<std::string> page_;
    int chosen_ = -1;
    bool turning_ = true;
};

/// The figures of a record told in French, one a line (the ones it has).
std::vector<std::string> bookFigures(const ObjectRecord& record);

} // namespace q71
