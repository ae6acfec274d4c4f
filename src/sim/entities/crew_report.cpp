#include "sim/entities/crew_report.h"

#include "framework/textmngr/text_manager.h"
#include "sim/services/sim_services.h"

#include <string>

namespace q71 {

void crewReport(CrewChannel channel, std::string_view wave, int textId, int priority) {
    const std::string files[] = {std::string(wave)};
    simAudio().crewQueueSpeech(channel, files, priority);
    msgLogPrintfId(textId);
}

} // namespace q71
