// Any bytes as a stream of 3-D chunks: whatever the reader accepts must draw without harm.
#include "render3d/camera.h"
#include "render3d/frame_renderer.h"
#include "render3d/library.h"
#include "render3d/picking.h"
#include "render3d/scene.h"
#include "render3d/stream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace q71::r3d;
    openLibrary(kDevice, {});
    Camera* camera = createCamera(32, 24);
    Scene* scene = createScene();
    scene->addLight(createDirectionalLight({0, -1, -1}, 0.5f));
    setCameraPosition(*camera, {0, 0, 5});
    std::vector<Clump*> clumps;
    Stream* s = openMemoryStream(bytes, size);
    for (bool more = true; more;) {
        switch (readChunkType(*s)) {
        case kChunkTexture:
            more = readTexture(*s) != nullptr;
            break;
        case kChunkImage:
            if (Image* image = readImage(*s)) {
                setBackdrop(*camera, image);
                destroyImage(image);
            } else {
                more = false;
            }
            break;
        case kChunkClump:
            if (Clump* c = readClump(*s)) {
                clumps.push_back(c);
                scene->addClump(c);
            } else {
                more = false;
            }
            break;
        default:
            more = false;
        }
    }
    closeStream(s);
    beginCameraUpdate(*camera);
    clearCamera(*camera);
    renderScene(*scene);
    endCameraUpdate(*camera);
    pickScene(*camera, *scene, 16, 12);
    for (Clump* c : clumps)
        destroyClump(c);
    destroyScene(scene);
    destroyCamera(camera);
    closeLibrary();
    return 0;
}
