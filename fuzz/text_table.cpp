// Text tables from disk: any bytes give a table or a clear error, never a crash.
#include "platform/text/text_table.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    q71::TextTable table;
    q71::TextTableError error;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (table.parse(text, "fuzz", error)) {
        // What was read formats and reads back to the same entries.
        q71::TextTable again;
        if (!again.parse(q71::textTableFormat(table.sorted()), "again", error) || again.sorted() != table.sorted())
            __builtin_trap();
    }
    return 0;
}
