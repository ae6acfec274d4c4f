#pragma once
// The smoke mode of the benchmarks (Q71_BENCH_SMOKE=1, as scripts/test runs them): every
// benchmark runs once at a tiny fixed size, so that none can rot unnoticed; its figures mean
// nothing. scripts/bench runs them in full.

#include <cstdlib>

namespace q71::bench {

inline bool smokeMode() {
    const char* smoke = std::getenv("Q71_BENCH_SMOKE");
    return smoke && *smoke && *smoke != '0';
}

/// Game seconds to simulate: the full figure, or a few in smoke mode.
inline double gameSeconds(double full) {
    return smokeMode() ? 5.0 : full;
}

/// Real milliseconds to measure: the full figure, or a fraction of a second in smoke mode.
inline int measuredMilliseconds(int full) {
    return smokeMode() ? 300 : full;
}

} // namespace q71::bench
