// Format strings as the text table holds them, with arguments of random kinds: the checked
// formatter either formats within the buffer or refuses with an empty result.
#include "framework/textmngr/checked_format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using q71::FormatArg;
    // [argument count][kind of each argument][format string]
    if (size < 1)
        return 0;
    const size_t count = data[0] % 8;
    if (size < 1 + count)
        return 0;
    const std::string format(reinterpret_cast<const char*>(data + 1 + count), size - 1 - count);
    std::vector<FormatArg> args;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t k = data[1 + i];
        const long long value = static_cast<long long>(k) * 0x01010101LL - 1000;
        switch (k % 4) {
        case 0: args.emplace_back(value); break;
        case 1: args.emplace_back(static_cast<unsigned long long>(value)); break;
        case 2: args.emplace_back(static_cast<double>(value) / 7.0); break;
        default: args.emplace_back("cap 270"); break;
        }
    }
    // A buffer of the message log's size and a short one, with guards after each.
    for (size_t capacity : {size_t{256}, size_t{1} + data[0] % 16}) {
        std::vector<char> out(capacity + 8, '#');
        const bool ok = q71::formatChecked(std::span<char>(out.data(), capacity), format.c_str(), args);
        if (std::memchr(out.data(), '\0', capacity) == nullptr)
            __builtin_trap(); // not terminated within the buffer
        for (size_t i = capacity; i < out.size(); ++i)
            if (out[i] != '#')
                __builtin_trap(); // written past it
        if (!ok && out[0] != '\0')
            __builtin_trap(); // a refusal leaves ""
    }
    return 0;
}
