#include "framework/textmngr/checked_format.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace q71 {
namespace {

// Appends `piece` to out at pos, cutting it to the space left (one byte stays for the NUL).
void append(std::span<char> out, size_t& pos, const char* piece, size_t length) {
    size_t room = out.size() - 1 - pos;
    size_t n = length < room ? length : room;
    std::memcpy(out.data() + pos, piece, n);
    pos += n;
}

bool isFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }

// A vowel or an h of Windows-1252, plain or accented, either case: what French elides before.
bool takesElision(unsigned char c) {
    constexpr std::string_view kLetters = "aeiouhAEIOUH"
                                          "\xC0\xC2\xC4\xC6\xC8\xC9\xCA\xCB\xCE\xCF\xD4\xD6\xD9\xDB\xDC\x8C"
                                          "\xE0\xE2\xE4\xE6\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF6\xF9\xFB\xFC\x9C";
    return c != 0 && kLetters.find(static_cast<char>(c)) != std::string_view::npos;
}

bool isLetter(unsigned char c) {
    return std::isalpha(c) || c >= 0xC0 || c == 0x8C || c == 0x9C;
}

// A name put after the word "de" of a text: "de Orque" is written "d'Orque", as French elides
// before a vowel or a mute h. The text itself is left as it is written.
void elideBefore(std::span<char> out, size_t& pos, const char* name) {
    if (!name || !takesElision(static_cast<unsigned char>(name[0])) || pos < 3)
        return;
    const char* end = out.data() + pos;
    const bool de = (end[-3] == 'd' || end[-3] == 'D') && end[-2] == 'e' && end[-1] == ' ';
    if (de && (pos == 3 || !isLetter(static_cast<unsigned char>(end[-4])))) {
        out[pos - 2] = '\'';
        --pos;
    }
}

} // namespace

bool formatChecked(std::span<char> out, const char* format, std::span<const FormatArg> args) {
    if (out.empty())
        return false;
    out[0] = '\0';
    if (!format)
        return false;
    size_t pos = 0, next = 0;
    const char* p = format;
    while (*p) {
        if (*p != '%') {
            const char* literal = p;
            while (*p && *p != '%')
                ++p;
            append(out, pos, literal, p - literal);
            continue;
        }
        if (p[1] == '%') {
            append(out, pos, "%", 1);
            p += 2;
            continue;
        }
        // %[flags][width][.precision][length]conversion; widths and precisions must be written
        // out (a '*' would take an argument the caller did not mean as one).
        std::string spec = "%";
        ++p;
        while (isFlag(*p))
            spec += *p++;
        // At most three digits of width and of precision.
        auto copyDigits = [&] {
            for (int digits = 0; *p >= '0' && *p <= '9'; ++digits) {
                if (digits == 3)
                    return false;
                spec += *p++;
            }
            return true;
        };
        if (!copyDigits())
            return out[0] = '\0', false;
        if (*p == '.') {
            spec += *p++;
            if (!copyDigits())
                return out[0] = '\0', false;
        }
        while (*p == 'h' || *p == 'l' || *p == 'L' || *p == 'z' || *p == 'j' || *p == 't')
            ++p; // the argument's own width is used instead
        char conversion = *p ? *p++ : '\0';
        if (next >= args.size())
            return out[0] = '\0', false;
        const FormatArg& arg = args[next++];
        using Kind = FormatArg::Kind;
        bool integerArg = arg.kind == Kind::Signed || arg.kind == Kind::Unsigned;
        long long asSigned = arg.kind == Kind::Signed ? arg.integer : static_cast<long long>(arg.unsignedInteger);
        unsigned long long asUnsigned =
            arg.kind == Kind::Unsigned ? arg.unsignedInteger : static_cast<unsigned long long>(arg.integer);
        char piece[512];
        int n;
        switch (conversion) {
        case 'd':
        case 'i':
            if (!integerArg)
                return out[0] = '\0', false;
            n = std::snprintf(piece, sizeof piece, (spec + "lld").c_str(), asSigned);
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            if (!integerArg)
                return out[0] = '\0', false;
            n = std::snprintf(piece, sizeof piece, (spec + "ll" + conversion).c_str(), asUnsigned);
            break;
        case 'c':
            if (!integerArg)
                return out[0] = '\0', false;
            n = std::snprintf(piece, sizeof piece, (spec + "c").c_str(), static_cast<int>(asSigned));
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            if (arg.kind != Kind::Real)
                return out[0] = '\0', false;
            n = std::snprintf(piece, sizeof piece, (spec + conversion).c_str(), arg.real);
            break;
        case 's':
            if (arg.kind != Kind::String)
                return out[0] = '\0', false;
            if (spec == "%") { // plain %s: no width to apply, and no length limit but the buffer's
                const char* text = arg.string ? arg.string : "(null)";
                elideBefore(out, pos, text);
                append(out, pos, text, std::strlen(text));
                continue;
            }
            n = std::snprintf(piece, sizeof piece, (spec + "s").c_str(), arg.string ? arg.string : "(null)");
            break;
        default: // %n, %p, '*' and anything unknown
            return out[0] = '\0', false;
        }
        if (n < 0)
            return out[0] = '\0', false;
        append(out, pos, piece, static_cast<size_t>(n) < sizeof piece ? n : sizeof piece - 1);
    }
    out[pos] = '\0';
    if (next != args.size())
        return out[0] = '\0', false;
    return true;
}

} // namespace q71
