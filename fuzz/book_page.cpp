// Books' pages as the books read them: any bytes give either no page or paragraphs of text only,
// never more than the page's limit.
#include "frontend/books/book_page.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto page = q71::bookPageParse({data, size});
    if (!page)
        return 0;
    std::size_t total = 0;
    for (const std::string& paragraph : *page) {
        total += paragraph.size();
        for (char c : paragraph)
            if (c == '\n' || c == '\r' || c == '\0')
                __builtin_trap();
    }
    if (total > q71::kBookPageMaxBytes)
        __builtin_trap();
    return 0;
}
