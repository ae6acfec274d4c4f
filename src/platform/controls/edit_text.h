#pragma once
// The text of a single-line edit field apart from any window: the bytes (Windows-1252), the caret,
// the selection between an anchor and the caret, and the limit on what typing may add.

#include <cstddef>
#include <string>
#include <string_view>

namespace q71 {

class EditText {
public:
    /// What typing may hold at most until a limit is set.
    static constexpr std::size_t kDefaultLimit = 30000;

    const std::string& text() const { return text_; }
    std::size_t caret() const { return caret_; }
    std::size_t anchor() const { return anchor_; }
    std::size_t selectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    std::size_t selectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool hasSelection() const { return caret_ != anchor_; }
    std::size_t limit() const { return limit_; }

    /// Replaces the whole text (the limit does not apply); the caret goes to the start.
    void setText(std::string_view text);
    /// Sets the limit on typing (0: as much as memory allows); text already there is kept.
    void setLimit(std::size_t limit);
    /// Selects from start to end as EM_SETSEL asks: an end of -1 (or beyond the text) means the
    /// end of the text, a start of -1 removes the selection and leaves the caret where it is.
    void select(long start, long end);
    /// Moves the caret to a place in the text; extending keeps the anchor, so the selection grows.
    void moveCaret(std::size_t to, bool extend);

    /// Replaces the selection with the text, cut short where the limit would be passed; false
    /// when nothing changed (none of the text fits, or there was neither text nor selection).
    bool replaceSelection(std::string_view typed);
    /// Backspace: the selection, or the character before the caret; false when nothing went.
    bool eraseBackward();
    /// Delete: the selection, or the character after the caret; false when nothing went.
    bool eraseForward();

private:
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::size_t limit_ = kDefaultLimit;
};

} // namespace q71
