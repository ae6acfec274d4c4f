#include "media/movie/lz77_unpack.h"

namespace q71 {
namespace {

struct Command {
    std::size_t length;   ///< command bytes
    std::size_t literals; ///< literal bytes after the command
    std::size_t copy;     ///< bytes repeated from the output
    std::size_t distance; ///< how far back the copy starts
    bool end;
};

// Decodes the command at `at`, whose first byte is known to be present.
bool readCommand(std::span<const std::uint8_t> in, std::size_t at, Command& c) {
    const std::size_t b0 = in[at];
    auto byte = [&](std::size_t i) -> std::size_t { return in[at + i]; };
    c = {};
    if (b0 < 0x80)
        c.length = 2;
    else if (b0 < 0xC0)
        c.length = 3;
    else if (b0 < 0xE0)
        c.length = 4;
    else
        c.length = 1;
    if (in.size() - at < c.length)
        return false;
    if (b0 < 0x80) {
        c.literals = b0 & 3;
        c.copy = ((b0 & 0x1C) >> 2) + 3;
        c.distance = ((b0 & 0x60) << 3) + byte(1) + 1;
    } else if (b0 < 0xC0) {
        c.literals = byte(1) >> 6;
        c.copy = (b0 & 0x3F) + 4;
        c.distance = ((byte(1) & 0x3F) << 8) + byte(2) + 1;
    } else if (b0 < 0xE0) {
        c.literals = b0 & 3;
        c.copy = (((b0 >> 2) & 3) << 8) + byte(3) + 5;
        c.distance = ((b0 & 0x10) << 12) + (byte(1) << 8) + byte(2) + 1;
    } else if (b0 < 0xFC) {
        c.literals = ((b0 & 0x1F) + 1) * 4;
    } else {
        c.literals = b0 & 3;
        c.end = true;
    }
    return true;
}

} // namespace

std::ptrdiff_t lz77Unpack(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    if (in.size() < 2)
        return -1;
    std::size_t at = (in[0] & 1) ? 5 : 2; // the flags word, and three bytes more when its bit 0 is set
    if (in.size() < at + 3)
        return -1;
    std::size_t announced = std::size_t{in[at]} << 16 | std::size_t{in[at + 1]} << 8 | in[at + 2];
    at += 3;
    if (announced > out.size())
        return -1;
    const std::size_t limit = announced;

    std::size_t written = 0;
    while (at < in.size()) {
        Command c;
        if (!readCommand(in, at, c))
            return -1;
        at += c.length;
        if (in.size() - at < c.literals || limit - written < c.literals)
            return -1;
        for (std::size_t i = 0; i < c.literals; ++i)
            out[written++] = in[at++];
        if (c.end)
            return static_cast<std::ptrdiff_t>(written);
        if (c.copy) {
            if (c.distance > written || limit - written < c.copy)
                return -1;
            // Byte by byte, so that a copy overlapping its own output repeats it.
            for (std::size_t i = 0; i < c.copy; ++i, ++written)
                out[written] = out[written - c.distance];
        }
    }
    return -1;
}

} // namespace q71
