// Wrapping untrusted text (the language library's texts reach the text boxes): the first byte
// chooses the width, every character is as wide as its code's low bits. Wrapping must end, make
// no text up, and, without a marker, keep every line of more than one character within the width.
#include "framework/widgets/text_wrap.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int wrapWidth = static_cast<int>(data[0]) - 16;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto width = [](std::string_view s) {
        int w = 0;
        for (char c : s)
            w += static_cast<unsigned char>(c) & 7;
        return w;
    };
    const bool marked = text.find("_#") != std::string_view::npos;
    std::size_t kept = 0;
    for (const std::string& line : q71::wrapTextLines(text, wrapWidth, width)) {
        if (!marked && line.size() > 1 && width(line) > wrapWidth)
            std::abort();
        kept += line.size();
    }
    if (kept > text.size())
        std::abort();
    return 0;
}
