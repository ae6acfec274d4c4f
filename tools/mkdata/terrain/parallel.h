#pragma once
// Runs independent pieces of work on the machine's cores; each piece writes only its own
// result, so the output does not depend on how the pieces were shared out.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace q71::mkdata {

/// Calls work(i) for every i below count, on up to eight threads.
template <class Work> void parallelFor(size_t count, const Work& work) {
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < count; i = next++)
            work(i);
    };
    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    std::vector<std::thread> pool;
    for (size_t t = 1; t < std::min(threads, count); ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread& thread : pool)
        thread.join();
}

} // namespace q71::mkdata
