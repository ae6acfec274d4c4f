#pragma once
// The campaign files of the data set: data/scenarios/campaign-<set letter>.txt becomes
// "<set letter>.cdf" in the "Scenario" folder. A definition gives the campaign's title and the
// number of missions in each leg; the missions are the set's "C<letter><n>.scn" scenarios.

#include "sim/scoring/campaign_file.h"

#include <filesystem>
#include <string>

namespace q71::mkdata {

/// Parses a campaign definition of a mission set (0 = "a"); throws "file:line: reason".
Campaign parseCampaignDefinition(const std::string& text, const std::filesystem::path& source,
                                 std::int32_t missionSet);

} // namespace q71::mkdata
