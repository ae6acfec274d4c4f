#pragma once
// The list of crew phrases (data/speech.txt): the speakers' voices and, for every wave, who
// says it and its words, with numbered families expanded one wave per number.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace q71::mkdata {

enum class SpeechSound { intercom, address, cries };

struct SpeechVoice {
    std::string espeakVoice;
    int pitch = 50;
    int wordsPerMinute = 160;
    SpeechSound sound = SpeechSound::intercom;
};

struct SpeechLine {
    std::string wave;
    std::string speaker;
    std::string words; ///< UTF-8
};

struct SpeechList {
    std::map<std::string, SpeechVoice, std::less<>> voices;
    std::vector<SpeechLine> lines;
};

/// Parses the list; throws with "file:line: message" on any fault (an unknown speaker, a wave
/// named twice, a malformed number family).
SpeechList parseSpeechList(std::string_view text, const std::string& fileName);

} // namespace q71::mkdata
