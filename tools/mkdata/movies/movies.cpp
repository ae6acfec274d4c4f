#include "mkdata/movies/movies.h"

#include "mkdata/files.h"
#include "mkdata/movies/movie_list.h"
#include "sim/scoring/campaign_file.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace q71::mkdata {

CampaignShape readCampaignShape(const std::filesystem::path& campaignFile) {
    const std::string bytes = readSource(campaignFile);
    Campaign campaign;
    if (campaignDecode({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, campaign) !=
        CampaignStatus::Ok)
        throw std::runtime_error(campaignFile.string() + ": a damaged campaign file");
    return {static_cast<char>('a' + campaign.header.missionSet), campaign.header.legCount, campaign.totalMissions};
}

void generateMovies(const Context& context) {
    // The campaign's movies are made for the campaign the scenarios generator wrote.
    const CampaignShape campaign = readCampaignShape(context.out / "Scenario" / "a.cdf");
    std::vector<MovieRecipe> recipes;
    for (auto family : {introMovies(), endMovies(), campaignMovies(campaign), newsMovies(campaign)})
        recipes.insert(recipes.end(), family.begin(), family.end());
    const MovieContext movieContext{context.source, context.out / ".movies"};
    std::filesystem::create_directories(movieContext.scratch);

    // The movies do not depend on each other: a few are made at once.
    std::atomic<std::size_t> next = 0;
    std::mutex failureLock;
    std::exception_ptr failure;
    auto work = [&] {
        for (std::size_t i; (i = next++) < recipes.size();) {
            try {
                MoviePlan plan = recipes[i](movieContext);
                std::vector<std::uint8_t> movie = makeMovie(plan);
                writeOutput(context.out / "Movies" / plan.name, std::string(movie.begin(), movie.end()));
            } catch (...) {
                std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
                next = recipes.size();
            }
        }
    };
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < workers; ++i)
        threads.emplace_back(work);
    for (std::thread& t : threads)
        t.join();
    std::filesystem::remove_all(movieContext.scratch);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace q71::mkdata
