#pragma once
// Where the 3-D caches read their entries: the groups of the objects folder. The program reads
// the group archives; tests install an archive of their own (null puts the program's back).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

using RwBytes = std::vector<std::uint8_t>;
/// Ends a background read on the reading thread: the bytes, or nothing when they could not be read.
using RwReadDone = std::function<void(std::optional<RwBytes>)>;

class RwArchive {
public:
    virtual ~RwArchive() = default;
    /// The entry of the group, read now; nothing when it is missing or unreadable.
    virtual std::optional<RwBytes> read(const std::string& group, const std::string& name) = 0;
    /// Starts reading the entry on another thread, which ends by calling `done`; false when the
    /// read could not be started (the entry is missing, or no thread).
    virtual bool readInBackground(const std::string& group, const std::string& name, RwReadDone done) = 0;
};

RwArchive& rwArchive();
void rwInstallArchive(RwArchive* archive);

} // namespace q71
