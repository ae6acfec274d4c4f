#include "platform/controls/edit_text.h"

#include <algorithm>
#include <limits>

namespace q71 {

void EditText::setText(std::string_view text) {
    text_ = text;
    caret_ = anchor_ = 0;
}

void EditText::setLimit(std::size_t limit) {
    limit_ = limit == 0 ? std::numeric_limits<std::size_t>::max() : limit;
}

void EditText::select(long start, long end) {
    if (start < 0) {
        anchor_ = caret_;
        return;
    }
    std::size_t size = text_.size();
    std::size_t from = std::min(static_cast<std::size_t>(start), size);
    std::size_t to = end < 0 ? size : std::min(static_cast<std::size_t>(end), size);
    anchor_ = from;
    caret_ = to;
}

void EditText::moveCaret(std::size_t to, bool extend) {
    caret_ = std::min(to, text_.size());
    if (!extend)
        anchor_ = caret_;
}

bool EditText::replaceSelection(std::string_view typed) {
    std::size_t start = selectionStart(), end = selectionEnd();
    std::size_t remaining = text_.size() - (end - start);
    std::size_t room = remaining >= limit_ ? 0 : limit_ - remaining;
    std::string_view fitting = typed.substr(0, std::min(typed.size(), room));
    // Typing that cannot add anything leaves the text alone (even its selection).
    if (fitting.empty() && (!typed.empty() || start == end))
        return false;
    text_.replace(start, end - start, fitting);
    caret_ = anchor_ = start + fitting.size();
    return true;
}

bool EditText::eraseBackward() {
    if (!hasSelection()) {
        if (caret_ == 0)
            return false;
        anchor_ = caret_ - 1;
    }
    return replaceSelection({});
}

bool EditText::eraseForward() {
    if (!hasSelection()) {
        if (caret_ == text_.size())
            return false;
        anchor_ = caret_ + 1;
    }
    return replaceSelection({});
}

} // namespace q71
