#include "sim/entities/sonar_report.h"

#include "sim/services/sim_services.h"

#include <cmath>

namespace q71 {

int spokenBearing(double bearing) {
    if (!std::isfinite(bearing))
        return 0;
    return static_cast<int>(std::trunc(std::fmod(bearing, 360.0) + 360.5)) % 360;
}

void sonarReportBearing(std::string_view leadIn, double bearing, std::string_view tail, bool urgent,
                        int priority) {
    simAudio().crewReportSonarNumber(urgent, leadIn, spokenBearing(bearing), 3, tail, -1, priority);
}

} // namespace q71
