#pragma once
// Textures (registered by name, with animation frames and 8-bit alpha) and images (camera
// backdrops). A texture lives while its name is registered or a material shows it; destroying
// it takes the name out of the register.

#include "render3d/format.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace q71::r3d {

class Texture : public std::enable_shared_from_this<Texture> {
public:
    /// Texels packed 0xAARRGGBB, rows top first, one vector per frame.
    Texture(std::string name, int width, int height, std::vector<std::vector<std::uint32_t>> frames);

    const std::string& name() const { return name_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int frameCount() const { return static_cast<int>(frames_.size()); }
    int frame() const { return frame_; }
    /// Any texel of any frame short of full alpha: polygons showing it are drawn translucent.
    bool hasAlpha() const { return hasAlpha_; }
    const std::uint32_t* texels() const { return frames_[static_cast<std::size_t>(frame_)].data(); }

    /// Shows the frame (taken modulo the frame count, negative from the end).
    void setFrame(int frame);
    /// Shows the next frame, after the last the first.
    void nextFrame() { setFrame(frame_ + 1); }

private:
    std::string name_;
    int width_;
    int height_;
    std::vector<std::vector<std::uint32_t>> frames_;
    int frame_ = 0;
    bool hasAlpha_ = false;
};

/// A backdrop picture in the screen's pixel format.
class Image : public std::enable_shared_from_this<Image> {
public:
    Image(int width, int height, std::vector<std::uint16_t> pixels);
    int width() const { return width_; }
    int height() const { return height_; }
    /// RGB565 pixels, rows top first.
    const std::vector<std::uint16_t>& pixels() const { return pixels_; }

private:
    int width_;
    int height_;
    std::vector<std::uint16_t> pixels_;
};

/// Makes a texture from its record and registers it under its name (a later texture of the same
/// name hides an earlier one until it is destroyed). Null for a record the reader would refuse
/// (no name, sides not powers of two up to 1024, no frames, frames of the wrong size).
Texture* registerTexture(const TextureRecord& record);
/// The registered texture of the name (letter case aside), or null.
Texture* findTexture(const std::string& name);
/// Takes the texture out of the register; materials showing it keep it until they change.
void destroyTexture(Texture* texture);
/// Forgets every registered texture (when the library closes).
void clearTextures();

/// An image the caller holds until destroyImage; null when the pixels do not match the size (cameras showing it keep it until they change).
Image* createImage(const ImageRecord& record);
void destroyImage(Image* image);
/// Forgets the handles of every image (when the library closes).
void clearImages();

} // namespace q71::r3d
