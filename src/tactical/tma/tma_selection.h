#pragma once
// The own boat as the TMA station finds it, and the selected contact checked against its list.

namespace q71 {

struct ContactRecord;

/// The selected contact while the own boat's list holds it; otherwise the selection is dropped and
/// the answer is null.
ContactRecord* tmaSelectedContact();

} // namespace q71
