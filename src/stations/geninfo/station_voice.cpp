#include "stations/geninfo/station_voice.h"

#include "media/audio/crew_speech.h"
#include "sim/services/audio_service.h"
#include "sim/services/sim_services.h"

#include <vector>

namespace q71 {
namespace {

void say(CrewChannel channel, const std::vector<std::string>& files, int priority) {
    simAudio().crewQueueSpeech(channel, files, priority);
}

} // namespace

void stationSayHelm(const std::string& file, int priority) {
    say(CrewChannel::helm, {file}, priority);
}

void stationSayOfficerOfDeck(const std::string& file, int priority) {
    say(CrewChannel::officerOfDeck, {file}, priority);
}

void stationSayChiefOfWatch(const std::string& file, int priority) {
    say(CrewChannel::chiefOfWatch, {file}, priority);
}

void stationReportCourse(int course, int form, int priority) {
    say(CrewChannel::helm, crewCourseReportFiles(course, form), priority);
}

void stationReportDepth(int depth, int priority) {
    say(CrewChannel::divingOfficer, crewDepthReportFiles(depth), priority);
}

} // namespace q71
