// The radio room's lines as a saved mission hands them back (any bytes, split at NUL) and a chat
// line as a player types it: the restored log holds as many lines as it was given plus the lines
// inside them, none longer than the limit; the chat pieces are never empty, never longer than 80
// and give back the whole text.
#include "tactical/radio/radio_chat.h"
#include "tactical/radio/radio_log.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> saved;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        saved.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    q71::RadioLog log("--------------------");
    log.restore(saved);
    if (log.lines().size() < saved.size())
        std::abort();
    for (const std::string& line : log.lines())
        if (line.empty() || line.size() > q71::kRadioSavedLineLimit)
            std::abort();
    std::string joined;
    for (const std::string& piece : q71::chatPieces(bytes, " ,.;:!?-")) {
        if (piece.empty() || piece.size() > q71::kChatPieceLimit)
            std::abort();
        joined += piece;
    }
    if (joined != bytes)
        std::abort();
    return 0;
}
