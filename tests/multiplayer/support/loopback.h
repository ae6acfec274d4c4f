#pragma once
// Helpers of the loopback tests: polling until something holds, bounded in passes and real time.

#include <chrono>
#include <functional>
#include <thread>

namespace q71::test {

/// Runs `pass` until `done` holds, at most 400 passes a second of `limit` (5 s unless given);
/// true when it held.
inline bool pollUntil(const std::function<void()>& pass, const std::function<bool()>& done,
                      std::chrono::seconds limit = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (long i = 0; i < 400 * limit.count() && std::chrono::steady_clock::now() < deadline; ++i) {
        pass();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

} // namespace q71::test
