#pragma once
// The host's place in the program: the maker of screen slot 8 and the simulation's host service
// (the loss of the own boat, the engine noise, the death screen).

namespace q71 {

class HostScreen;

/// Registers the host as the maker of screen slot 8.
void genInfoRegisterScreen();
/// The simulation's host service: it reaches the host while one is built.
HostScreen& genInfoHostScreen();

} // namespace q71
