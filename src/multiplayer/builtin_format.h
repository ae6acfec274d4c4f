#pragma once
// The program's own texts (builtinText) formatted with their arguments, as the lobby and the
// game say them.

#include "framework/textmngr/checked_format.h"
#include "framework/textmngr/text_manager.h"

#include <array>
#include <string>

namespace q71 {

template <class... Args> std::string builtinFormat(int id, const Args&... args) {
    std::array<char, 512> text{};
    formatCheckedArgs(text, builtinText(id), args...);
    return text.data();
}

} // namespace q71
