#pragma once
// printf-style formatting whose format string comes from data (the text table): every
// conversion is checked against the argument actually passed, so a table text with the wrong
// conversions formats nothing instead of reading arguments that are not there, and nothing is
// ever written past the caller's buffer.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>

namespace q71 {

/// One argument of a checked format.
struct FormatArg {
    enum class Kind { Signed, Unsigned, Real, String } kind;
    long long integer = 0;
    unsigned long long unsignedInteger = 0;
    double real = 0;
    const char* string = nullptr;

    template <class T>
        requires std::is_integral_v<T> || std::is_enum_v<T>
    FormatArg(T v) {
        if constexpr (std::is_enum_v<T>)
            *this = FormatArg(static_cast<std::underlying_type_t<T>>(v));
        else if constexpr (std::is_signed_v<T>)
            kind = Kind::Signed, integer = v;
        else
            kind = Kind::Unsigned, unsignedInteger = v;
    }
    FormatArg(double v) : kind(Kind::Real), real(v) {}
    FormatArg(float v) : kind(Kind::Real), real(v) {}
    FormatArg(const char* v) : kind(Kind::String), string(v) {}
    FormatArg(const std::string& v) : kind(Kind::String), string(v.c_str()) {}
};

/// Formats into `out` (always NUL-terminated when not empty, cut to fit). Returns false and
/// leaves "" when the format's conversions do not match the arguments in number and kind.
bool formatChecked(std::span<char> out, const char* format, std::span<const FormatArg> args);

template <class... Args>
bool formatCheckedArgs(std::span<char> out, const char* format, const Args&... args) {
    const FormatArg list[sizeof...(Args) + 1] = {FormatArg(args)..., FormatArg(0)};
    return formatChecked(out, format, std::span<const FormatArg>(list, sizeof...(Args)));
}

} // namespace q71
