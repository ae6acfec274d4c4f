// Captain's logs as the log screen reads them: any bytes give either a refusal with no lines, or
// lines of text only, which written back read as the same log.
#include "frontend/captlog/captain_log_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const q71::CaptLog log = q71::captLogParse({data, size});
    if (log.status != q71::CaptLogStatus::Ok) {
        if (!log.lines.empty())
            __builtin_trap();
        return 0;
    }
    for (const std::string& line : log.lines)
        for (char c : line)
            if (c == '\n' || c == '\r' || c == '\0')
                __builtin_trap();
    const q71::CaptLog again = q71::captLogParse(q71::captLogBytes(log.lines));
    if (again.status != q71::CaptLogStatus::Ok || again.lines != log.lines)
        __builtin_trap();
    return 0;
}
