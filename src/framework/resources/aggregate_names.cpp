#include "framework/resources/aggregate_names.h"

namespace q71 {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string canonical(std::string_view part) {
    std::string out;
    bool seenOther = false;
    for (char c : part) {
        if (!isSeparator(c)) {
            seenOther = true;
            out += c;
        } else if (!seenOther || out.back() != '\\') {
            out += '\\'; // leading separators stand as they are (a network path keeps its two)
        }
    }
    return out;
}

} // namespace

AggName aggSplitName(std::string_view name) {
    AggName result;
    size_t plus = name.find('+');
    result.container = canonical(name.substr(0, plus));
    if (plus == std::string_view::npos)
        return result;
    std::string_view member = name.substr(plus + 1);
    while (!member.empty() && (member.front() == '\\' || member.front() == '+'))
        member.remove_prefix(1);
    result.member = canonical(member);
    result.hasMember = true;
    return result;
}

} // namespace q71
