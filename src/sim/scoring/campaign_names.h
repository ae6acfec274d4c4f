#pragma once
// The names of the movies and voices the front end plays around a campaign mission, built from
// the mission set, the mission, the leg and the campaign rating.

#include <string>

namespace q71 {

/// "%c%d%c.ndy": the set letter, the mission number and 'a' for kind 2, else 'b'.
std::string campaignMovieName(int kind);
/// "velms%c%d.wve" of the set letter and the leg; "" outside a campaign.
std::string campaignNewsVoiceName();
/// "portannounce%c%d.wav" of the set letter and the leg; "" outside a campaign.
std::string campaignPortAnnounceName();
/// "nuke%d%c.wve" of the campaign rating and its end-movie variant, which then moves on to the
/// next of seven; "" outside a campaign.
std::string campaignNukeVoiceName();

} // namespace q71
