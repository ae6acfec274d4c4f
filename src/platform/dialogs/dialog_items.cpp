// A dialog's controls by id: their texts and the numbers in them.

#include "platform/dialogs/dialog_manager.h"
#include "platform/window/window.h"

#include <cctype>
#include <limits>
#include <string>

namespace q71 {

WindowHandle dialogGetItem(WindowHandle dialog, int id) {
    return windowGetChildById(dialog, static_cast<std::uintptr_t>(static_cast<std::uint16_t>(id)));
}

bool dialogSetItemText(WindowHandle dialog, int id, std::string_view text) {
    WindowHandle item = dialogGetItem(dialog, id);
    return item != WindowHandle{} && windowSetText(item, text);
}

std::string dialogGetItemText(WindowHandle dialog, int id) {
    WindowHandle item = dialogGetItem(dialog, id);
    return item != WindowHandle{} ? windowGetText(item) : std::string();
}

bool dialogSetItemInt(WindowHandle dialog, int id, long value, bool isSigned) {
    std::string text = isSigned ? std::to_string(static_cast<std::int32_t>(value))
                                : std::to_string(static_cast<std::uint32_t>(value));
    return dialogSetItemText(dialog, id, text);
}

long dialogGetItemInt(WindowHandle dialog, int id, bool* translated, bool isSigned) {
    if (translated)
        *translated = false;
    if (dialogGetItem(dialog, id) == WindowHandle{})
        return 0;
    std::string text = dialogGetItemText(dialog, id);
    auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    size_t pos = 0, end = text.size();
    while (pos < end && isSpace(text[pos]))
        ++pos;
    while (end > pos && isSpace(text[end - 1]))
        --end;
    bool negative = isSigned && pos < end && text[pos] == '-';
    if (negative)
        ++pos;
    if (pos == end)
        return 0;
    long long limit = isSigned ? (negative ? -static_cast<long long>(std::numeric_limits<std::int32_t>::min())
                                           : std::numeric_limits<std::int32_t>::max())
                               : std::numeric_limits<std::uint32_t>::max();
    long long value = 0;
    for (; pos < end; ++pos) {
        if (text[pos] < '0' || text[pos] > '9')
            return 0;
        value = value * 10 + (text[pos] - '0');
        if (value > limit)
            return 0;
    }
    if (translated)
        *translated = true;
    return static_cast<long>(negative ? -value : value);
}

} // namespace q71
