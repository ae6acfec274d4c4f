#include "mkdata/sounds/speech_list.h"

#include <cctype>
#include <charconv>
#include <set>
#include <stdexcept>

namespace q71::mkdata {
namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool toInt(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

void replaceAll(std::string& text, std::string_view what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

// The numbers of "{a-b}" or "{x,y,z}"; throws a message without position.
std::vector<int> familyNumbers(std::string_view inside) {
    std::vector<int> numbers;
    if (const std::size_t dash = inside.find('-'); dash != std::string_view::npos) {
        int from = 0, to = 0;
        if (!toInt(inside.substr(0, dash), from) || !toInt(inside.substr(dash + 1), to) || from > to)
            throw std::runtime_error("malformed number range {" + std::string(inside) + "}");
        for (int n = from; n <= to; ++n)
            numbers.push_back(n);
        return numbers;
    }
    for (std::size_t start = 0; start <= inside.size();) {
        const std::size_t comma = std::min(inside.find(',', start), inside.size());
        int n = 0;
        if (!toInt(inside.substr(start, comma - start), n))
            throw std::runtime_error("malformed number list {" + std::string(inside) + "}");
        numbers.push_back(n);
        start = comma + 1;
    }
    return numbers;
}

SpeechSound soundNamed(std::string_view name) {
    if (name == "intercom")
        return SpeechSound::intercom;
    if (name == "address")
        return SpeechSound::address;
    if (name == "cries")
        return SpeechSound::cries;
    throw std::runtime_error("unknown sound \"" + std::string(name) + "\"");
}

void addLines(SpeechList& list, std::string_view wave, std::string_view speaker, std::string_view words) {
    if (!list.voices.contains(speaker))
        throw std::runtime_error("unknown speaker \"" + std::string(speaker) + "\"");
    if (words.empty())
        throw std::runtime_error("no words for " + std::string(wave));
    const std::size_t open = wave.find('{');
    if (open == std::string_view::npos) {
        list.lines.push_back({std::string(wave), std::string(speaker), std::string(words)});
        return;
    }
    const std::size_t close = wave.find('}', open);
    if (close == std::string_view::npos)
        throw std::runtime_error("unclosed number family in " + std::string(wave));
    for (int n : familyNumbers(wave.substr(open + 1, close - open - 1))) {
        std::string name(wave);
        name.replace(open, close - open + 1, std::to_string(n));
        std::string said(words);
        replaceAll(said, "{n}", std::to_string(n));
        list.lines.push_back({name, std::string(speaker), said});
    }
}

} // namespace

SpeechList parseSpeechList(std::string_view text, const std::string& fileName) {
    SpeechList list;
    std::set<std::string> waves;
    int lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        try {
            const std::vector<std::string_view> f = splitTabs(line);
            if (f[0] == "voice") {
                SpeechVoice voice;
                if (f.size() != 6 || !toInt(f[3], voice.pitch) || !toInt(f[4], voice.wordsPerMinute))
                    throw std::runtime_error(
                        "a voice is: voice, speaker, espeak voice, pitch, words a minute, sound");
                voice.espeakVoice = f[2];
                voice.sound = soundNamed(f[5]);
                if (!list.voices.emplace(std::string(f[1]), voice).second)
                    throw std::runtime_error("speaker \"" + std::string(f[1]) + "\" given twice");
                continue;
            }
            if (f.size() != 3)
                throw std::runtime_error("a phrase is: wave, speaker, words");
            const std::size_t before = list.lines.size();
            addLines(list, f[0], f[1], f[2]);
            for (std::size_t i = before; i < list.lines.size(); ++i)
                if (!waves.insert(lowerCase(list.lines[i].wave))
                         .second) // the program finds files in any case
                    throw std::runtime_error(list.lines[i].wave + " is given twice");
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(fileName + ":" + std::to_string(lineNumber) + ": " + e.what());
        }
    }
    return list;
}

} // namespace q71::mkdata
