#pragma once
// The mission message queue: goal messages reached during a mission, and the messages a saved
// mission brings back, wait here in order of arrival until the radio room takes them off one
// by one. "[ship name]" in a message is replaced by the own boat's name when asked for.
// Main thread only.

#include <optional>
#include <string>
#include <string_view>

namespace q71 {

/// The token that stands for the own boat's name in mission texts.
inline constexpr std::string_view kShipNameToken = "[ship name]";

/// Creates the queue's slots (room for 3) when there are none.
void commsQueueInit();
/// Queues a copy of the text, with the ship-name substitution when `substitute` is 1; an empty text is not
/// queued.
void commsQueueAdd(std::string_view text, int substitute);
/// Takes the oldest message off the queue; nothing when the queue is empty.
std::optional<std::string> commsQueuePop();
/// The number of messages waiting.
int commsQueueCount();
/// The length of the oldest message, 0 when none waits.
int commsQueueFrontLength();
/// Frees every message and the slots; count and capacity become 0.
void commsQueueClear();
/// The number of slots the queue holds room for.
int commsQueueCapacity();
/// The text with every "[ship name]" replaced by the own boat's name when `substitute` is non-zero,
/// else a plain copy; nothing for an empty text.
std::optional<std::string> commsQueueExpandText(std::string_view text, int substitute);

/// Sets the own boat's name that the substitution puts in (the scenario reader sets it).
void commsQueueSetShipName(std::string_view name);
/// The own boat's name of the mission.
const std::string& commsQueueShipName();

} // namespace q71
