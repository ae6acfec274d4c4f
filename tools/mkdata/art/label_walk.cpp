#include "mkdata/art/label_walk.h"

#include <filesystem>
#include <string_view>

namespace q71::mkdata {

std::vector<GeneratedLabel> letterEveryPicture(const std::filesystem::path& source, const std::filesystem::path& out) {
    std::vector<GeneratedLabel> labels;
    const char* running = "";
    const LabelRecorder recorder = [&](const LetteredLabel& label) { labels.push_back({running, label}); };
    const Context context{source, out, &recorder};
    std::filesystem::create_directories(out);
    for (const Generator& generator : generators()) {
        const std::string_view name = generator.name;
        if (!generator.letters && name != "texts" && name != "fonts")
            continue;
        running = generator.name;
        generator.run(context);
    }
    return labels;
}

} // namespace q71::mkdata
