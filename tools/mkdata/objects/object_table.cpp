#include "mkdata/objects/object_table.h"

#include "platform/text/cp1252.h"

#include <charconv>
#include <cstdio>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

namespace q71::mkdata {

namespace {

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> result;
    while (!(s = trim(s)).empty()) {
        const auto end = s.find_first_of(" \t");
        result.push_back(s.substr(0, end));
        s = end == std::string_view::npos ? std::string_view{} : s.substr(end);
    }
    return result;
}

// One "field = value" line, with what it needs to report an error at its place.
class Value {
public:
    Value(std::string_view text, const std::string& file, int line) : text_(text), file_(file), line_(line) {}

    [[noreturn]] void fail(const std::string& message) const {
        throw std::runtime_error(file_ + ":" + std::to_string(line_) + ": " + message);
    }

    template <class Int> Int integer(std::string_view word, long long low, long long high) const {
        long long v = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), v);
        if (error != std::errc() || end != word.data() + word.size())
            fail("\"" + std::string(word) + "\" is not a whole number");
        if (v < low || v > high)
            fail(std::to_string(v) + " is outside " + std::to_string(low) + " to " + std::to_string(high));
        return static_cast<Int>(v);
    }
    template <class Int> Int integer(long long low, long long high) const {
        return integer<Int>(single(), low, high);
    }

    float real(std::string_view word, double low, double high) const {
        double v = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), v);
        if (error != std::errc() || end != word.data() + word.size())
            fail("\"" + std::string(word) + "\" is not a number");
        if (!(v >= low && v <= high)) {
            char range[64];
            std::snprintf(range, sizeof range, " is outside %g to %g", low, high);
            fail(std::string(word) + range);
        }
        return static_cast<float>(v);
    }
    float real(double low, double high) const { return real(single(), low, high); }

    /// An ASCII name of a file, model or record, stored in a field of width N.
    template <std::size_t N> void name(FixedText<N>& field) const {
        for (char c : text_)
            if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7e)
                fail("a name is plain ASCII without spaces: \"" + std::string(text_) + "\"");
        if (!field.assign(text_))
            fail("\"" + std::string(text_) + "\" is longer than " + std::to_string(N - 1) + " characters");
    }

    /// A text shown to the player: UTF-8 here, Windows-1252 in the record.
    template <std::size_t N> void shown(FixedText<N>& field) const {
        std::string converted;
        std::size_t errorOffset = 0;
        if (!utf8ToCp1252(text_, converted, errorOffset))
            fail("the text has a character Windows-1252 lacks at byte " + std::to_string(errorOffset));
        if (!field.assign(converted))
            fail("the text is longer than " + std::to_string(N - 1) + " bytes");
    }

    std::vector<std::string_view> list(std::size_t count) const {
        auto parts = words(text_);
        if (parts.size() != count)
            fail("expected " + std::to_string(count) + " values, found " + std::to_string(parts.size()));
        return parts;
    }
    std::string_view text() const { return text_; }
    /// Another text of the same line.
    Value with(std::string_view text) const { return Value(text, file_, line_); }

private:
    std::string_view single() const { return list(1)[0]; }

    std::string_view text_;
    const std::string& file_;
    int line_;
};

using Setter = std::function<void(ObjectRecord&, const Value&)>;

constexpr long long kI16 = std::numeric_limits<std::int16_t>::max();
constexpr double kFigureLimit = 3.99; // the passive curves divide by 4 minus the figure

Setter figure(float ObjectRecord::*field) {
    return [field](ObjectRecord& r, const Value& v) { r.*field = v.real(0.0, kFigureLimit); };
}

Setter animatedPart(std::size_t i) {
    return [i](ObjectRecord& r, const Value& v) {
        const auto parts = v.list(3);
        r.animatedParts[i] = {v.integer<std::int32_t>(parts[0], 1, 0x7fffffff),
                              v.integer<std::int32_t>(parts[1], 1, 5), v.real(parts[2], -360.0, 360.0)};
    };
}

Setter weapon(std::size_t i) {
    return [i](ObjectRecord& r, const Value& v) {
        const auto parts = v.list(2);
        v.with(parts[0]).name(r.weapons[i].keyName);
        r.weapons[i].count = v.integer<std::int16_t>(parts[1], 1, kI16);
    };
}

// "lines = 60 120/10 480/25": signature line frequencies, each after the first with its attenuation.
void signatureLines(ObjectRecord& r, const Value& v) {
    const auto parts = words(v.text());
    if (parts.empty() || parts.size() > r.signatureValues.size())
        v.fail("a record has 1 to 5 signature lines");
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const auto slash = parts[k].find('/');
        if ((k == 0) != (slash == std::string_view::npos))
            v.fail("every line but the first carries its attenuation (frequency/attenuation)");
        r.signatureValues[k] = v.integer<std::int32_t>(parts[k].substr(0, slash), 1, 31999);
        if (k > 0)
            r.signatureParameters[k - 1] = v.integer<std::int32_t>(parts[k].substr(slash + 1), 0, 255);
    }
}

const std::vector<std::pair<std::string_view, Setter>>& fields() {
    static const std::vector<std::pair<std::string_view, Setter>> table = {
        {"id", [](ObjectRecord& r, const Value& v) { r.id = v.integer<std::uint32_t>(1, 149); }},
        {"name", [](ObjectRecord& r, const Value& v) { v.shown(r.displayName); }},
        {"kind", [](ObjectRecord& r, const Value& v) { r.kind = v.integer<std::uint32_t>(1, 5); }},
        {"category",
         [](ObjectRecord& r, const Value& v) {
             v.name(r.categoryWord);
             if (r.category() == kCategoryOther)
                 v.fail("\"" + std::string(v.text()) + "\" is not a category word");
             r.classCode = r.category();
         }},
        {"model", [](ObjectRecord& r, const Value& v) { v.name(r.modelName); }},
        {"model2", [](ObjectRecord& r, const Value& v) { v.name(r.secondModelName); }},
        {"model3", [](ObjectRecord& r, const Value& v) { v.name(r.thirdModelName); }},
        {"size", [](ObjectRecord& r, const Value& v) { r.size = v.real(0.0, 100000.0); }},
        {"class", [](ObjectRecord& r, const Value& v) { r.classCode = v.integer<std::int32_t>(0, 100); }},
        {"emitter", [](ObjectRecord& r, const Value& v) { r.emitterValue = v.real(0.0, 100.0); }},
        {"trail", [](ObjectRecord& r, const Value& v) { r.trailVariant = v.integer<std::int16_t>(0, kI16); }},
        {"sound", [](ObjectRecord& r, const Value& v) { v.name(r.soundA); }},
        {"sound2", [](ObjectRecord& r, const Value& v) { v.name(r.soundB); }},
        {"part1", animatedPart(0)},
        {"part2", animatedPart(1)},
        {"part3", animatedPart(2)},
        {"part4", animatedPart(3)},
        {"mast", [](ObjectRecord& r, const Value& v) { r.mastHeight = v.real(0.0, 200.0); }},
        {"length", [](ObjectRecord& r, const Value& v) { r.length = v.integer<std::int16_t>(0, kI16); }},
        {"beam", [](ObjectRecord& r, const Value& v) { r.beam = v.integer<std::int16_t>(0, kI16); }},
        {"height", [](ObjectRecord& r, const Value& v) { r.height = v.integer<std::int16_t>(0, kI16); }},
        {"blades", [](ObjectRecord& r, const Value& v) { r.lineFactor = v.integer<std::int16_t>(1, 1000); }},
        {"harmonics", [](ObjectRecord& r, const Value& v) { r.harmonicCount = v.integer<std::int16_t>(2, 6); }},
        {"speed", [](ObjectRecord& r, const Value& v) { r.maxSpeed = v.integer<std::int16_t>(0, 5000); }},
        {"testdepth",
         [](ObjectRecord& r, const Value& v) { r.testDepth = v.integer<std::int16_t>(-kI16, 0); }},
        {"crushdepth",
         [](ObjectRecord& r, const Value& v) { r.crushDepth = v.integer<std::int16_t>(-kI16, 0); }},
        {"weapon1", weapon(0)},
        {"weapon2", weapon(1)},
        {"weapon3", weapon(2)},
        {"noise", [](ObjectRecord& r, const Value& v) { r.signatureFactor = v.real(0.01, 100.0); }},
        {"sonar", figure(&ObjectRecord::sonarFigure)},
        {"radar", figure(&ObjectRecord::radarFigure)},
        {"esm", figure(&ObjectRecord::esmFigure)},
        {"visual", figure(&ObjectRecord::visualFigure)},
        {"sensor6", figure(&ObjectRecord::type6Figure)},
        {"fallback", figure(&ObjectRecord::fallbackRange)},
        {"armour", [](ObjectRecord& r, const Value& v) { r.armour = v.integer<std::uint8_t>(1, 255); }},
        {"lines", signatureLines},
        {"ping", [](ObjectRecord& r, const Value& v) { r.activeSonar = v.integer<std::int16_t>(0, 9); }},
        {"range",
         [](ObjectRecord& r, const Value& v) { r.weaponValue = v.integer<std::int32_t>(1, 2000000); }},
    };
    return table;
}

} // namespace

std::vector<TableRecord> parseObjectTable(std::string_view text, const std::string& file) {
    std::vector<TableRecord> records;
    std::vector<std::string_view> seen; // fields of the current block
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNumber;
        const Value here(line, file, lineNumber);
        if (line.empty() || line[0] == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']')
                here.fail("a block begins with [Key]");
            records.push_back({ObjectRecord{}, lineNumber});
            here.with(trim(line.substr(1, line.size() - 2))).name(records.back().record.keyName);
            seen.clear();
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            here.fail("expected \"field = value\"");
        if (records.empty())
            here.fail("a field before the first [Key]");
        const std::string_view key = trim(line.substr(0, equals));
        const Value value = here.with(trim(line.substr(equals + 1)));
        if (value.text().empty())
            here.fail("\"" + std::string(key) + "\" has no value");
        for (std::string_view done : seen)
            if (done == key)
                here.fail("\"" + std::string(key) + "\" given twice");
        bool known = false;
        for (const auto& [name, set] : fields())
            if (name == key) {
                set(records.back().record, value);
                seen.push_back(name);
                known = true;
            }
        if (!known)
            here.fail("unknown field \"" + std::string(key) + "\"");
    }
    return records;
}

} // namespace q71::mkdata
