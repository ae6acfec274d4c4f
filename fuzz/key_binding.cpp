// Key bindings written as texts: "<Alt prefix>\n<Ctrl prefix>\n<binding>" gives a record of a
// known kind, whatever the texts hold.
#include "framework/textmngr/text_manager.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t first = input.find('\n');
    const size_t second = first == std::string::npos ? std::string::npos : input.find('\n', first + 1);
    if (second == std::string::npos)
        return 0;
    const q71::KeyBinding binding = q71::keyBindingParse(input.substr(second + 1), input.substr(0, first),
                                                         input.substr(first + 1, second - first - 1));
    if (binding.kind < q71::kKeyPlain || binding.kind > q71::kKeySpecial)
        __builtin_trap();
    return 0;
}
