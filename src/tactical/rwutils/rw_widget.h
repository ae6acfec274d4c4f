#pragma once
// RWWidget: the base of every 3-D view (docs/rwutils.md). A child window of the class "RWWidget"
// owning a scene, one perspective camera, one directional light, the models placed in it
// (object records reading the simulation's position and attitude values every frame), optional
// surface layers and the time-of-day look. The library camera always stands at horizontal
// (0, 0): everything else is shifted by the camera's horizontal position (the floating origin).

#include "platform/window/window_types.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "render3d/camera.h"
#include "render3d/clump.h"
#include "render3d/fog.h"
#include "render3d/scene.h"

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

namespace q71 {

class DeviceContext;
class SeaSurface;
class LandSurface;
class SeabedSurface;

/// Layer kinds of addLayer.
enum RwLayer : int {
    kLayerSea = 1,
    kLayerLand = 2,       ///< land with free height (wet parts flattened to the surface)
    kLayerLowGround = 3,  ///< land restricted to low ground and shallow water
    kLayerSeabed = 4,
};

/// The own boat's masts as the views show them, in slot order.
enum RwMastSlot : int { kSlotPeriscope, kSlotAntenna, kSlotEsm, kSlotRadar, kSlotSnorkel };
inline constexpr int kRwMastSlots = 5;

/// Which mast slots show, from the own boat's devices (by Mast) as they are seen now: none
/// unless the view's mast display is on.
std::array<bool, kRwMastSlots> raisedMastSlots(const std::array<TwoPositionDevice, kMastCount>& masts, bool display);

/// A model placed in a view.
struct RwObject {
    struct Mast {
        r3d::Clump* model = nullptr;
        bool attached = false;
    };
    struct AnimatedPart {
        r3d::Clump* part = nullptr;
        int type = 0; ///< 1 ... 3 spin about X, Y, Z; 4, 5 swing about X, Y
        float rate = 0.0f;
        float phase = 0.0f;
    };

    std::string name;
    r3d::Clump* clump = nullptr;
    r3d::Clump* hull = nullptr; ///< the part that rolls in a seaway (tag 510), or the model
    std::array<Mast, kRwMastSlots> masts{};
    int handle = 0;
    const double* x = nullptr;
    const double* y = nullptr;
    const double* z = nullptr;
    const double* heading = nullptr;
    const double* pitch = nullptr;
    const double* roll = nullptr;
    int kind = 0;
    int sizeCount = 0;
    float radius = 1.0f;
    float size = 0.0f;
    double seawayPhase1 = 0.0, seawayPhase2 = 0.0;
    std::array<AnimatedPart, 4> parts{};
    bool inScene = false;
    float visibleRange = 600.0f;
    bool bearingTest = true;
};

/// The position and attitude values an object reads (owned by the caller, kept alive while shown).
struct RwPose {
    const double* x;
    const double* y;
    const double* z;
    const double* heading;
    const double* pitch;
    const double* roll;
};

class RWWidget {
public:
    static constexpr int kTagHull = 510;
    static constexpr float kDefaultFarClip = 600.0f;

    RWWidget(std::string_view caption, WindowHandle parent, int x, int y, int width, int height);
    virtual ~RWWidget();
    RWWidget(const RWWidget&) = delete;
    RWWidget& operator=(const RWWidget&) = delete;

    /// One frame: place the camera and the objects, update the layers, render and show.
    virtual void render();
    virtual void show();
    virtual void hide();
    /// Joins the shared fog (a user more) and switches it on.
    virtual void enableFog();
    /// Messages the window does not handle itself; the base gives them the default handling.
    virtual LResult handleMessage(std::uint32_t message, WParam wParam, LParam lParam);
    /// Draws immediate geometry into the camera, after the scene and the effects (scene frame,
    /// floating origin subtracted); nothing in the base.
    virtual void drawInCamera() {}
    /// Paints 2-D overlays onto the rendered image before it is shown.
    virtual void drawOnImage(DeviceContext& dc);
    /// Paints on the window after the frame is shown.
    virtual void drawOnWindow(DeviceContext& dc);
    /// The camera background when no fog is on: black in the base.
    virtual void setBackColour();
    virtual void placeCamera();
    /// Sets the light colour for the day phase above or under water.
    virtual void applyTimeOfDay();
    /// Creates the camera and readies the layers; the view may render afterwards.
    virtual void createScene();
    virtual void destroyScene();
    /// Takes the day phase and sky variant in force.
    virtual void readTimeOfDay();
    /// Renders into the camera image, lets overlays draw, and shows the image in the context.
    virtual void blitFrame(DeviceContext& dc);
    /// The pointer entered the window (after it took the focus).
    virtual void onSetCursor();

    void setFieldOfView(double degrees);
    void addLayer(int kind, int argument);
    int addObject(r3d::Clump* model, const std::string& name, const RwPose& pose, int kind, float size,
                  bool animatedParts, bool masts);
    void removeObject(int handle);
    RwObject* findObject(int handle);
    void clearAnimatedParts(int handle);
    void setObjectSize(int handle, float size);
    void setObjectVisibleFlag(int handle, bool test);
    /// The object's radius, 0 when there is none.
    float getObjectSize(int handle);
    /// The camera follows the object (0, or a handle of none, detaches); the record or null.
    RwObject* attachCamera(int handle);
    /// Free camera position in world metres.
    void setCameraPosition(double x, double y, double z);
    /// Free camera: elevation and bearing (degrees); attached: tilt, pan and stand-off (metres
    /// behind, as a negative value).
    void setCameraAngles(double a, double b, double c);
    void setSeaState(int value);
    /// The sea element's height under the camera (scene units; 0 without one).
    float getSeaLevel() const;
    /// The mast slots are drawn only while this is set.
    void setMastDisplay(bool on) { mastDisplay_ = on; }
    void setHullDown(bool on) { hullDown_ = on; }
    void setFarClip(float distance);
    void setZoom(double zoom) { zoom_ = zoom; }
    /// A day phase of the view's own (1 day, 2 night, 3 dusk, 4 dawn), 0 for the mission's.
    void setDayPhaseOverride(int code) { phaseOverride_ = code; }

    WindowHandle window() const { return window_; }
    r3d::Camera* camera() const { return camera_; }
    r3d::Scene* scene() const { return scene_; }
    r3d::Light* light() const { return light_; }
    bool shown() const { return shown_; }
    bool underwater() const { return underwater_; }
    double frameRate() const { return frameRate_; }
    /// The camera's scene position (floating origin included) and the origin.
    r3d::Vec3 cameraScenePosition() const { return cameraScene_; }
    float originX() const { return originX_; }
    float originZ() const { return originZ_; }
    double zoom() const { return zoom_; }
    int dayPhase() const { return phase_; }
    int skyVariant() const { return variant_; }
    const std::string& backdropName() const { return backdropName_; }
    SeaSurface* seaElement() const { return sea_.get(); }
    LandSurface* landPatch() const { return land_.get(); }
    LandSurface* lowGroundPatch() const { return lowGround_.get(); }
    SeabedSurface* seabedPatch() const { return seabed_.get(); }
    /// The cone half-angle objects are tested against (radians).
    float viewCone() const;

    static LResult staticWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

protected:
    LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam);
    /// Brings the look up to date with the time of day and renders the scene into the camera.
    void updateEnvironment();
    void renderScene();
    void placeObjects();
    void placeObject(RwObject& o, float lookBearing, float dt);
    void updateLayers();
    void recentreSeaPlane();
    void recentreSkyCone();
    void loadAnimatedParts(RwObject& o);
    void loadMasts(RwObject& o);
    void updateMasts(RwObject& o);
    void liftAboveTerrain();
    void useBackdrop(const std::string& name);

    double frameRate_ = 10.0;
    r3d::Scene* scene_ = nullptr;
    r3d::Light* light_ = nullptr;
    r3d::Camera* camera_ = nullptr;
    bool fogOn_ = false;
    bool underwater_ = false;
    bool mastDisplay_ = false;
    r3d::Vec3 freeCamera_{};
    WindowHandle window_{};
    WindowHandle parent_{};
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
    bool shown_ = false;
    bool withBackdrop_ = true;
    std::string backdropName_;
    r3d::Vec3 look_{0.0f, 0.0f, -1.0f};
    r3d::Vec3 cameraScene_{};
    float originX_ = 0.0f, originZ_ = 0.0f;
    std::list<RwObject> objects_;
    int nextHandle_ = 0;
    int framesCounted_ = 0;
    std::uint32_t rateTick_ = 0;
    std::unique_ptr<SeaSurface> sea_;
    std::unique_ptr<LandSurface> land_;
    std::unique_ptr<LandSurface> lowGround_;
    std::unique_ptr<SeabedSurface> seabed_;
    double zoom_ = 1.0;
    double fieldX_ = 16.0, fieldY_ = 12.0;
    float farClip_ = kDefaultFarClip;
    bool hullDown_ = false;
    RwObject* attached_ = nullptr;
    /// Supplied by derived views: a sea plane and a sky cone re-centred on the camera.
    r3d::Clump* seaPlane_ = nullptr;
    r3d::Clump* skyCone_ = nullptr;
    bool skyInScene_ = false;
    float skyShown_ = 1.0f;
    bool underwaterBubbles_ = false;
    bool noBackdrop_ = false;
    float halfSeaState_ = 0.0f;
    bool destroyedBySystem_ = false;
    int phase_ = 0, variant_ = 0;
    int previousUnderwater_ = -1, previousPhase_ = -1, previousVariant_ = -1;
    int phaseOverride_ = 0;
};

} // namespace q71
