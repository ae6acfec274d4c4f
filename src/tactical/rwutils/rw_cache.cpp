#include "tactical/rwutils/rw_cache.h"

#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"
#include "render3d/stream.h"
#include "sim/world/object_database.h"
#include "tactical/rwutils/model_descriptor.h"
#include "tactical/rwutils/rw_archive.h"

#include <algorithm>
#include <deque>
#include <list>
#include <mutex>
#include <optional>
#include <strings.h>

namespace q71 {
namespace {

constexpr const char* kModelsGroup = "models";
constexpr const char* kTexturesGroup = "textures";
constexpr const char* kSource = "rwutils";

bool sameName(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

struct ModelRecord {
    std::string name;
    r3d::Clump* clump = nullptr;
    std::vector<std::string> textures;
};

struct CountedName {
    std::string name;
    int references = 0;
    r3d::Image* image = nullptr; // backdrops only
};

struct AsyncJob {
    std::string name;
    RwTextureDone completion;
    r3d::Texture** slot = nullptr;
    std::optional<RwBytes> bytes;
};

struct Caches {
    std::list<ModelRecord> models;
    std::list<CountedName> textures;
    std::list<CountedName> backdrops;
    std::vector<std::string> pending;
    // Background reads that have arrived, handed over from the reading threads.
    std::mutex arrivedLock;
    std::deque<std::unique_ptr<AsyncJob>> arrived;
    RwFatalHook fatal;
};

Caches& caches() {
    static Caches c;
    return c;
}

void fatal(int text, int line) {
    rwReportFatal(text, line);
}

CountedName* findCounted(std::list<CountedName>& list, const std::string& name) {
    auto it = std::find_if(list.begin(), list.end(), [&](const CountedName& r) { return sameName(r.name, name); });
    return it == list.end() ? nullptr : &*it;
}

std::list<CountedName>::iterator findCountedIt(std::list<CountedName>& list, const std::string& name) {
    return std::find_if(list.begin(), list.end(), [&](const CountedName& r) { return sameName(r.name, name); });
}

// The one chunk of an entry as a registered texture; null (after the fatal report) when refused.
r3d::Texture* textureFromBytes(const RwBytes& bytes, int line) {
    r3d::Stream* s = r3d::openMemoryStream(bytes.data(), bytes.size());
    r3d::Texture* t = s && r3d::readChunkType(*s) != 0 ? r3d::readTexture(*s) : nullptr;
    if (s)
        r3d::closeStream(s);
    if (!t)
        fatal(kTextUnreadableChunk, line);
    return t;
}

void destroyNamedTexture(const std::string& name) {
    if (r3d::Texture* t = r3d::findTexture(name))
        r3d::destroyTexture(t);
}

// One reference of a cached texture fewer; the last destroys it.
void dropTexture(const std::string& name) {
    auto& list = caches().textures;
    auto it = findCountedIt(list, name);
    if (it == list.end())
        return;
    if (--it->references > 0)
        return;
    destroyNamedTexture(it->name);
    list.erase(it);
}

void finishArrived(AsyncJob& job) {
    Caches& c = caches();
    std::erase_if(c.pending, [&](const std::string& n) { return sameName(n, job.name); });
    r3d::Texture* texture = nullptr;
    if (CountedName* cached = findCounted(c.textures, job.name)) {
        // Loaded meanwhile by a synchronous call: share that one.
        ++cached->references;
        texture = r3d::findTexture(job.name);
    } else if (!job.bytes) {
        fatal(kTextMissingEntry, __LINE__);
        return;
    } else {
        texture = textureFromBytes(*job.bytes, __LINE__);
        if (!texture)
            return;
        c.textures.push_back({job.name, 1, nullptr});
    }
    if (job.slot)
        *job.slot = texture;
    if (job.completion)
        job.completion(job.slot);
}

// The model's textures, each counted once more; a texture that is not cached yet is read.
// On failure the counts taken so far are given back.
bool takeTextures(const std::vector<std::string>& names) {
    Caches& c = caches();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (CountedName* cached = findCounted(c.textures, names[i])) {
            ++cached->references;
            continue;
        }
        auto bytes = rwArchive().read(kModelsGroup, names[i]);
        r3d::Texture* t = bytes ? textureFromBytes(*bytes, __LINE__) : nullptr;
        if (!bytes)
            fatal(kTextMissingEntry, __LINE__);
        if (!t) {
            for (std::size_t k = 0; k < i; ++k)
                dropTexture(names[k]);
            return false;
        }
        c.textures.push_back({names[i], 1, nullptr});
    }
    return true;
}

r3d::Clump* duplicateInstance(const ModelRecord& first) {
    Caches& c = caches();
    r3d::Clump* copy = r3d::duplicateClump(*first.clump);
    rwRemoveTaggedChildren(*copy);
    for (const auto& t : first.textures)
        ++findCounted(c.textures, t)->references;
    c.models.push_back({first.name, copy, first.textures});
    return copy;
}

} // namespace

r3d::Clump* rwCachedModel(const std::string& name) {
    for (const auto& m : caches().models)
        if (sameName(m.name, name))
            return m.clump;
    return nullptr;
}

r3d::Clump* rwLoadModel(const std::string& name, bool byObjectKey) {
    rwRunCompletions();
    std::string modelName = name;
    if (byObjectKey) {
        const ObjectRecord* record = objdbFindByName(name);
        if (!record)
            return nullptr;
        modelName = std::string(record->modelName.view());
    }
    Caches& c = caches();
    for (const auto& m : c.models)
        if (sameName(m.name, modelName))
            return duplicateInstance(m);

    auto descriptorBytes = rwArchive().read(kModelsGroup, modelName);
    if (!descriptorBytes)
        return nullptr;
    auto descriptor = decodeModelDescriptor(*descriptorBytes);
    if (!descriptor)
        return nullptr;
    if (!takeTextures(descriptor->textures))
        return nullptr;
    auto giveBack = [&] {
        for (const auto& t : descriptor->textures)
            dropTexture(t);
    };
    auto geometry = rwArchive().read(kModelsGroup, descriptor->geometry);
    if (!geometry) {
        giveBack();
        return nullptr;
    }
    r3d::Stream* s = r3d::openMemoryStream(geometry->data(), geometry->size());
    r3d::Clump* clump = s && r3d::readChunkType(*s) != 0 ? r3d::readClump(*s) : nullptr;
    if (s)
        r3d::closeStream(s);
    if (!clump) {
        giveBack();
        fatal(kTextUnreadableChunk, __LINE__);
        return nullptr;
    }
    c.models.push_back({modelName, clump, std::move(descriptor->textures)});
    return clump;
}

void rwReleaseModel(r3d::Clump* clump) {
    auto& models = caches().models;
    auto it = std::find_if(models.begin(), models.end(), [&](const ModelRecord& m) { return m.clump == clump; });
    if (!clump || it == models.end())
        return;
    ModelRecord record = std::move(*it);
    models.erase(it);
    for (const auto& t : record.textures)
        dropTexture(t);
    r3d::destroyClump(record.clump);
}

r3d::Texture* rwLoadTexture(const std::string& name) {
    rwRunCompletions();
    Caches& c = caches();
    if (CountedName* cached = findCounted(c.textures, name)) {
        ++cached->references;
        return r3d::findTexture(name);
    }
    auto bytes = rwArchive().read(kTexturesGroup, name);
    if (!bytes) {
        fatal(kTextMissingEntry, __LINE__);
        return nullptr;
    }
    r3d::Texture* t = textureFromBytes(*bytes, __LINE__);
    if (t)
        c.textures.push_back({name, 1, nullptr});
    return t;
}

void rwReleaseTexture(const std::string& name) {
    rwRunCompletions();
    dropTexture(name);
}

int rwLoadTextureAsync(const std::string& name, RwTextureDone completion, r3d::Texture** slot) {
    rwRunCompletions();
    Caches& c = caches();
    if (std::any_of(c.pending.begin(), c.pending.end(), [&](const std::string& n) { return sameName(n, name); }))
        return 0;
    if (CountedName* cached = findCounted(c.textures, name)) {
        ++cached->references;
        if (slot)
            *slot = r3d::findTexture(name);
        if (completion)
            completion(slot);
        return 1;
    }
    auto job = std::make_shared<AsyncJob>();
    job->name = name;
    job->completion = std::move(completion);
    job->slot = slot;
    c.pending.push_back(name);
    const bool started = rwArchive().readInBackground(kTexturesGroup, name, [job](std::optional<RwBytes> bytes) {
        auto arrived = std::make_unique<AsyncJob>(std::move(*job));
        arrived->bytes = std::move(bytes);
        std::lock_guard lock(caches().arrivedLock);
        caches().arrived.push_back(std::move(arrived));
    });
    if (!started) {
        std::erase_if(c.pending, [&](const std::string& n) { return sameName(n, name); });
        fatal(kTextMissingEntry, __LINE__);
    }
    return 1;
}

void rwRunCompletions() {
    Caches& c = caches();
    for (;;) {
        std::unique_ptr<AsyncJob> job;
        {
            std::lock_guard lock(c.arrivedLock);
            if (c.arrived.empty())
                return;
            job = std::move(c.arrived.front());
            c.arrived.pop_front();
        }
        finishArrived(*job);
    }
}

r3d::Image* rwLoadTextureAlt(const std::string& name) {
    Caches& c = caches();
    if (CountedName* cached = findCounted(c.backdrops, name)) {
        ++cached->references;
        return cached->image;
    }
    auto bytes = rwArchive().read(kTexturesGroup, name);
    if (!bytes) {
        fatal(kTextMissingEntry, __LINE__);
        return nullptr;
    }
    r3d::Stream* s = r3d::openMemoryStream(bytes->data(), bytes->size());
    r3d::Image* image = s && r3d::readChunkType(*s) != 0 ? r3d::readImage(*s) : nullptr;
    if (s)
        r3d::closeStream(s);
    if (!image) {
        fatal(kTextUnreadableChunk, __LINE__);
        return nullptr;
    }
    c.backdrops.push_back({name, 1, image});
    return image;
}

void rwReleaseTextureAlt(const std::string& name) {
    auto& list = caches().backdrops;
    auto it = findCountedIt(list, name);
    if (it == list.end() || --it->references > 0)
        return;
    r3d::destroyImage(it->image);
    list.erase(it);
}

void rwRemoveTaggedChildren(r3d::Clump& clump) {
    for (int tag : {kTagWake, kTagBubbles})
        if (r3d::Clump* child = r3d::findByTag(clump, tag)) {
            child->renderCallback = nullptr;
            r3d::destroyClump(child);
        }
}

int rwTextureReferences(const std::string& name) {
    const CountedName* r = findCounted(caches().textures, name);
    return r ? r->references : 0;
}

int rwBackdropReferences(const std::string& name) {
    const CountedName* r = findCounted(caches().backdrops, name);
    return r ? r->references : 0;
}

int rwModelInstances() {
    return static_cast<int>(caches().models.size());
}

void rwSetFatalHook(RwFatalHook hook) {
    caches().fatal = std::move(hook);
}

void rwReportFatal(int text, int line) {
    Caches& c = caches();
    if (c.fatal) {
        c.fatal(text, line);
        return;
    }
    reportFatal(textGetString(text), line, kSource, 0);
}

} // namespace q71
