#include "mkdata/graphics/archives.h"

#include "framework/resources/group_archive_writer.h"
#include "mkdata/files.h"

#include <stdexcept>

namespace q71::mkdata {
namespace {

// Staged members wait here, one folder per archive folder and group, until they are packed.
std::filesystem::path stagingRoot(const Context& context) {
    return context.out / ".archive-staging";
}

} // namespace

void stageArchiveMember(const Context& context, std::string_view folder, std::string_view group,
                        std::string_view name, const std::string& bytes) {
    if (name.empty() || name.size() > 79 || name.find_first_of("/\\") != std::string_view::npos)
        throw std::runtime_error("archive member name \"" + std::string(name) +
                                 "\" is not a plain name of 1 to 79 characters");
    writeOutput(stagingRoot(context) / folder / group / name, bytes);
}

void generateArchives(const Context& context) {
    std::filesystem::path root = stagingRoot(context);
    if (!std::filesystem::exists(root))
        return;
    for (const auto& folder : std::filesystem::directory_iterator(root)) {
        for (const auto& group : std::filesystem::directory_iterator(folder.path())) {
            std::filesystem::path base = context.out / folder.path().filename() / group.path().filename();
            std::filesystem::create_directories(base.parent_path());
            std::string problem = grpBuildFolder(group.path(), base.string());
            if (!problem.empty())
                throw std::runtime_error("archive " + base.string() + ": " + problem);
        }
    }
    std::filesystem::remove_all(root);
}

} // namespace q71::mkdata
