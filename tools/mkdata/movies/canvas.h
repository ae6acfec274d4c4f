#pragma once
// The movies' drawing board: a picture of linear floating-point colour with anti-aliased
// shapes and text, turned into the encoder's pictures when a frame is done.

#include "movie_encoder/images.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace q71 {
class Font;
}

namespace q71::mkdata {

struct Colour {
    float r = 0, g = 0, b = 0;
};

/// The colour between a and b at t (0 gives a, 1 gives b).
Colour mixColour(Colour a, Colour b, float t);
/// A colour from 0-255 components.
constexpr Colour rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

struct PointF {
    double x = 0, y = 0;
};

enum class Align { Left, Centre, Right };

/// Text in one face at one size, drawn smooth (its glyphs are rendered at twice the size and
/// averaged down).
class MovieFont {
public:
    MovieFont(const std::string& face, int pixelHeight, bool bold);
    ~MovieFont();
    MovieFont(const MovieFont&) = delete;
    MovieFont& operator=(const MovieFont&) = delete;

    /// Width in pixels of a UTF-8 text.
    double width(const std::string& utf8) const;
    int height() const { return height_; }

private:
    friend class Canvas;
    std::shared_ptr<const Font> font_;
    int height_;
};

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    /// The colour of a pixel inside the picture.
    Colour pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    void fill(Colour c);
    /// A vertical gradient from `top` at row y0 to `bottom` at row y1 (clamped beyond).
    void gradient(Colour top, Colour bottom, double y0, double y1);
    /// Blends a colour into one pixel with a coverage of 0-1.
    void blend(int x, int y, Colour c, float coverage);
    /// A filled disc.
    void disc(PointF centre, double radius, Colour c, float alpha = 1);
    /// A circle line of the given width.
    void ring(PointF centre, double radius, double lineWidth, Colour c, float alpha = 1);
    /// Part of a ring from angle a0 to a1 (radians, clockwise from north).
    void arc(PointF centre, double radius, double lineWidth, double a0, double a1, Colour c, float alpha = 1);
    /// A straight line of the given width with round ends.
    void line(PointF from, PointF to, double lineWidth, Colour c, float alpha = 1);
    /// A filled polygon (even-odd), smoothed on its edges.
    void polygon(const std::vector<PointF>& points, Colour c, float alpha = 1);
    /// A soft glow: colour added with a Gaussian fall-off of the given radius.
    void glow(PointF centre, double radius, Colour c, float strength);
    /// One line of UTF-8 text with its baseline at y.
    void text(const MovieFont& font, const std::string& utf8, double x, double y, Align align, Colour c,
              float alpha = 1);
    /// Copies another picture with its top-left corner at (left, top).
    void place(const Canvas& picture, int left, int top);
    /// Multiplies every pixel by k (fades toward black).
    void darken(float k);
    /// Adds seeded grain of the given strength.
    void grain(std::uint32_t seed, float strength);

    /// The picture in 8-bit colour.
    encoder::RgbImage toImage() const;
    /// The picture through a palette: each pixel takes the nearest of its first `colours` entries.
    encoder::IndexedImage toIndexed(const std::array<std::uint8_t, 768>& palette, int colours) const;

private:
    Colour& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    int width_, height_;
    std::vector<Colour> pixels_;
};

} // namespace q71::mkdata
