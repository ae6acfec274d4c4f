#pragma once
// The crew speaks recorded waves: fixed phrases, and numbers spoken digit by digit. Each
// speaker has a speech channel, a stream voice of the sound manager that plays its queued
// files one after the other; a more important report (a lower priority value) cuts off the less
// important ones still waiting. A report level filters what is spoken at all.

#include <cstdint>
#include <string>
#include <vector>

namespace q71 {

struct SoundVoice;

enum CrewSpeechChannel : int {
    kCrewHelm = 0,
    kCrewOfficerOfDeck = 1,
    kCrewDivingOfficer = 2,
    kCrewChiefOfWatch = 3,
    kCrewSonar = 4,
    kCrewRadio = 5,
    kCrewExecutiveOfficer = 6, ///< the recovery and team reports of scoring
    kCrewCasualty = 7,
};
inline constexpr int kCrewChannelCount = 8;
inline constexpr int kCrewQueueCapacity = 32;

/// Queues one report of `count` waves on a channel when `priority` is at most the report level.
void crewQueueSpeech(int channel, int count, const char* const* files, int priority);

/// One wave on one speaker's channel.
void crewSayHelm(const char* file, int priority);
void crewSayOfficerOfDeck(const char* file, int priority);
void crewSayDivingOfficer(const char* file, int priority);
void crewSayChiefOfWatch(const char* file, int priority);
void crewSaySonar(const char* file, int priority);
void crewSayRadio(const char* file, int priority);
void crewSayChannel6(const char* file, int priority);
void crewSayCasualty(const char* file, int priority);

/// The helmsman reports a course in three digits: form 0 turning to port, 1 to starboard, other steady.
void crewReportCourse(int course, int form, int priority);
/// The diving officer reports a depth in one to four digits.
void crewReportDepth(int depth, int priority);
/// The waves of those two reports, in the order they are spoken.
std::vector<std::string> crewCourseReportFiles(int course, int form);
std::vector<std::string> crewDepthReportFiles(int depth);
/// Sonar reports: the lead-in, the number's digits (at least `minDigits`), the tail (may be
/// null) and, when `secondNumber` is not negative, its digits; `secondSet` picks the second voice.
void crewReportSonarNumber(int secondSet, const char* leadIn, int number, int minDigits, const char* tail,
                           int secondNumber, int priority);
/// The decimal digits of a number, most significant first, padded with zeros to `minDigits`;
/// only the last `maxDigits` when it has more.
std::vector<int> crewSplitDigits(std::int64_t number, int minDigits, int maxDigits);

/// 1 or -1: reports whose priority exceeds the level are not spoken.
void crewSetReportLevel(int level);
/// Releases all eight channels.
void crewFreeChannels();
/// Releases one channel.
void crewFreeChannel(int channel);

/// The bells and the arrival (kind 0) or departure (kind 1) call of a captain, as one kept voice.
SoundVoice* crewAnnounceCaptain(int boatNumber, int kind);

} // namespace q71
