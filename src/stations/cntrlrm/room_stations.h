#pragma once
// Which host station a part of the room or a station button leads to. A part's table entry is a
// button number (1-9, the button's command); only the button's column entry is a host station.

namespace q71 {

/// The station button (1-9) a part of the room model stands for; -1 for none or an unknown id.
int roomObjectButton(int objectId);
/// The host station of a station button's command (1-9); -1 for any other command.
int roomCommandStation(int command);
/// The host station a part of the room leads to; -1 for none.
int roomObjectStation(int objectId);

} // namespace q71
