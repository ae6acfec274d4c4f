#include "tactical/rwutils/rw_archive.h"

#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"

#include <atomic>
#include <memory>

namespace q71 {
namespace {

// The reader's group selection is the program's: select the folder and group right before each read.
bool selectGroup(const std::string& group) {
    grpSetFolder(objectsInstallPath);
    return grpOpenGroup(group.c_str()) != 0;
}

struct BackgroundRead {
    std::string name;
    std::uint8_t* data = nullptr;
    std::atomic<std::uint32_t> delivered{0};
    std::uint32_t size = 0;
    RwReadDone done;
};

void finishBackgroundRead(void* argument) {
    std::unique_ptr<BackgroundRead> read(static_cast<BackgroundRead*>(argument));
    std::optional<RwBytes> bytes;
    if (read->data && read->delivered.load() == read->size)
        bytes.emplace(read->data, read->data + read->size);
    delete[] read->data;
    read->done(std::move(bytes));
}

class GroupArchive final : public RwArchive {
public:
    std::optional<RwBytes> read(const std::string& group, const std::string& name) override {
        if (!selectGroup(group))
            return std::nullopt;
        std::uint8_t* data = nullptr;
        std::atomic<std::uint32_t> delivered{0};
        std::uint32_t size = 0;
        if (!grpReadEntry(name.c_str(), &data, &delivered, &size, true, true, nullptr, nullptr))
            return std::nullopt;
        RwBytes bytes(data, data + size);
        delete[] data;
        return bytes;
    }

    bool readInBackground(const std::string& group, const std::string& name, RwReadDone done) override {
        if (!selectGroup(group))
            return false;
        auto read = std::make_unique<BackgroundRead>();
        read->name = name;
        read->done = std::move(done);
        BackgroundRead* raw = read.get();
        if (!grpReadEntry(raw->name.c_str(), &raw->data, &raw->delivered, &raw->size, false, true,
                          finishBackgroundRead, raw))
            return false;
        read.release(); // the reading thread owns it now
        return true;
    }
};

RwArchive* installed = nullptr;

} // namespace

RwArchive& rwArchive() {
    static GroupArchive program;
    return installed ? *installed : program;
}

void rwInstallArchive(RwArchive* archive) {
    installed = archive;
}

} // namespace q71
