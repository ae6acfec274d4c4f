#include "render3d/texture.h"

#include <algorithm>
#include <cctype>

namespace q71::r3d {

namespace {

// The register of textures by name; most recent last.
std::vector<std::shared_ptr<Texture>>& textures() {
    static std::vector<std::shared_ptr<Texture>> list;
    return list;
}

std::vector<std::shared_ptr<Image>>& images() {
    static std::vector<std::shared_ptr<Image>> list;
    return list;
}

bool isPowerOfTwo(int v) {
    return v > 0 && v <= kMaxTextureSide && (v & (v - 1)) == 0;
}

bool sameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

Texture::Texture(std::string name, int width, int height, std::vector<std::vector<std::uint32_t>> frames)
    : name_(std::move(name)), width_(width), height_(height), frames_(std::move(frames)) {
    for (const auto& f : frames_)
        hasAlpha_ = hasAlpha_ || std::any_of(f.begin(), f.end(), [](std::uint32_t t) { return t < 0xFF000000u; });
}

void Texture::setFrame(int frame) {
    const int n = frameCount();
    frame_ = ((frame % n) + n) % n;
}

Image::Image(int width, int height, std::vector<std::uint16_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

Texture* registerTexture(const TextureRecord& record) {
    const auto texels = static_cast<std::size_t>(record.width) * static_cast<std::size_t>(record.height);
    if (record.name.empty() || !isPowerOfTwo(record.width) || !isPowerOfTwo(record.height) || record.frames.empty() ||
        !std::all_of(record.frames.begin(), record.frames.end(), [&](const auto& f) { return f.size() == texels * 4; }))
        return nullptr;
    std::vector<std::vector<std::uint32_t>> frames;
    for (const auto& bytes : record.frames) {
        std::vector<std::uint32_t> texels(bytes.size() / 4);
        for (std::size_t i = 0; i < texels.size(); ++i) {
            const std::uint8_t* p = &bytes[i * 4];
            texels[i] = static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[0]) << 16 |
                        static_cast<std::uint32_t>(p[1]) << 8 | p[2];
        }
        frames.push_back(std::move(texels));
    }
    textures().push_back(std::make_shared<Texture>(record.name, record.width, record.height, std::move(frames)));
    return textures().back().get();
}

Texture* findTexture(const std::string& name) {
    auto& list = textures();
    const auto it =
        std::find_if(list.rbegin(), list.rend(), [&](const auto& t) { return sameName(t->name(), name); });
    return it == list.rend() ? nullptr : it->get();
}

void destroyTexture(Texture* texture) {
    std::erase_if(textures(), [&](const auto& t) { return t.get() == texture; });
}

void clearTextures() {
    textures().clear();
}

Image* createImage(const ImageRecord& record) {
    if (record.width < 1 || record.height < 1 ||
        record.rgb.size() != static_cast<std::size_t>(record.width) * static_cast<std::size_t>(record.height) * 3)
        return nullptr;
    std::vector<std::uint16_t> pixels(static_cast<std::size_t>(record.width) * static_cast<std::size_t>(record.height));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint8_t* p = &record.rgb[i * 3];
        pixels[i] = static_cast<std::uint16_t>((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | (p[2] >> 3));
    }
    images().push_back(std::make_shared<Image>(record.width, record.height, std::move(pixels)));
    return images().back().get();
}

void destroyImage(Image* image) {
    std::erase_if(images(), [&](const auto& i) { return i.get() == image; });
}

void clearImages() {
    images().clear();
}

} // namespace q71::r3d
