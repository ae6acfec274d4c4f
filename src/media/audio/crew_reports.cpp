// Reports with numbers, spoken digit by digit from one wave per digit, and the captain's bells.
#include "media/audio/crew_speech.h"

#include "media/audio/sound_internal.h"

#include <cstdio>
#include <string>

namespace q71 {
namespace {

constexpr int kMaxSonarDigits = 10;

// Builds a report's file names and queues it.
class Report {
public:
    void add(const char* file) {
        if (file)
            names_.emplace_back(file);
    }
    void addDigits(const char* pattern, std::int64_t number, int minDigits, int maxDigits) {
        for (int digit : crewSplitDigits(number, minDigits, maxDigits)) {
            char name[32];
            std::snprintf(name, sizeof name, pattern, digit);
            names_.emplace_back(name);
        }
    }
    const std::vector<std::string>& names() const { return names_; }

private:
    std::vector<std::string> names_;
};

} // namespace

std::vector<int> crewSplitDigits(std::int64_t number, int minDigits, int maxDigits) {
    std::uint64_t rest =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    std::vector<int> digits;
    do {
        digits.insert(digits.begin(), static_cast<int>(rest % 10));
        rest /= 10;
    } while (rest > 0);
    while (static_cast<int>(digits.size()) < minDigits)
        digits.insert(digits.begin(), 0);
    if (maxDigits > 0 && static_cast<int>(digits.size()) > maxDigits)
        digits.erase(digits.begin(), digits.end() - maxDigits);
    return digits;
}

std::vector<std::string> crewCourseReportFiles(int course, int form) {
    static const char* const kFrames[][2] = {
        {"Hlm12a.wav", "Hlm12b.wav"}, // turning to port
        {"Hlm11a.wav", "Hlm11b.wav"}, // turning to starboard
        {"Hlm13.wav", "Hlm13b.wav"},  // steady
    };
    const auto& frame = kFrames[form == 0 || form == 1 ? form : 2];
    Report report;
    report.add(frame[0]);
    report.addDigits("HlmCrs%d.wav", ((course % 360) + 360) % 360, 3, 3);
    report.add(frame[1]);
    return report.names();
}

std::vector<std::string> crewDepthReportFiles(int depth) {
    Report report;
    report.add("DO1a.wav");
    report.addDigits("Dod%d.wav", depth, 1, 4);
    report.add("DO1b.wav");
    return report.names();
}

namespace {

void queueFiles(int channel, const std::vector<std::string>& names, int priority) {
    std::vector<const char*> files;
    for (const std::string& name : names)
        files.push_back(name.c_str());
    crewQueueSpeech(channel, static_cast<int>(files.size()), files.data(), priority);
}

} // namespace

void crewReportCourse(int course, int form, int priority) {
    queueFiles(kCrewHelm, crewCourseReportFiles(course, form), priority);
}

void crewReportDepth(int depth, int priority) {
    queueFiles(kCrewDivingOfficer, crewDepthReportFiles(depth), priority);
}

void crewReportSonarNumber(int secondSet, const char* leadIn, int number, int minDigits, const char* tail,
                           int secondNumber, int priority) {
    const char* digits = secondSet ? "SS6d%d.wav" : "SSd%d.wav";
    Report report;
    report.add(leadIn);
    report.addDigits(digits, number, minDigits, kMaxSonarDigits);
    report.add(tail);
    if (secondNumber >= 0)
        report.addDigits(digits, secondNumber, 1, kMaxSonarDigits);
    queueFiles(kCrewSonar, report.names(), priority);
}

SoundVoice* crewAnnounceCaptain(int boatNumber, int kind) {
    std::vector<std::string> names{"DingDing.wav"};
    if (kind == 0 || kind == 1) {
        char call[32];
        std::snprintf(call, sizeof call, kind == 0 ? "Arr%d.wav" : "Dep%d.wav", boatNumber);
        names.emplace_back(call);
    }
    auto lock = soundLock();
    return soundPlayStreamFiles(names, 0, 1, 1, 0, 0);
}

} // namespace q71
