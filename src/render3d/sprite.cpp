#include "render3d/sprite.h"

#include <array>

namespace q71::r3d {

Clump* makeSprite(Texture* texture) {
    if (!texture)
        return nullptr;
    Clump* c = createClump();
    c->sprite = true;
    // Corners right-up, left-up, left-down, right-down as seen from the camera; texture rows
    // run downward.
    const float corners[4][4] = {{0.5f, 0.5f, 1.0f, 0.0f},
                                 {-0.5f, 0.5f, 0.0f, 0.0f},
                                 {-0.5f, -0.5f, 0.0f, 1.0f},
                                 {0.5f, -0.5f, 1.0f, 1.0f}};
    for (const auto& k : corners) {
        const int n = addVertex(*c, {k[0], k[1], 0.0f});
        setVertexUV(*c, n, k[2], k[3]);
    }
    auto material = std::make_shared<Material>();
    material->texture = texture->shared_from_this();
    material->textureMode = kTextureLit;
    material->ambient = 1.0f;
    material->diffuse = 0.0f;
    for (const auto& t : {std::array{1, 2, 3}, std::array{1, 3, 4}})
        addTriangle(*c, t[0], t[1], t[2])->material = material;
    return c;
}

} // namespace q71::r3d
