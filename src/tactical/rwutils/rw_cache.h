#pragma once
// The caches of 3-D models, textures and backdrop images (docs/rwutils.md). Models, textures
// and images come from the objects folder's groups "models" and "textures"; textures and images
// are counted by name (any letter case), so each exists once however many users it has, and a
// model loaded again is a duplicate of the first instance. Every load is paired with a release
// by its caller. Main thread only: background loads finish through a queue that the main thread
// runs each frame and before any lookup.

#include "render3d/clump.h"
#include "render3d/texture.h"

#include <functional>
#include <string>

namespace q71 {

/// Effect children of models: the wake, the bubble trail and any further effect.
inline constexpr int kTagWake = 501;
inline constexpr int kTagBubbles = 503;
inline constexpr int kTagFurtherEffect = 504;

/// The model of the name (with byObjectKey, the model named by that object record); null when
/// the descriptor or geometry entry is missing or malformed, or the object record is unknown.
r3d::Clump* rwLoadModel(const std::string& name, bool byObjectKey);
/// The first loaded instance of the model name, or null when none is loaded.
r3d::Clump* rwCachedModel(const std::string& name);
/// Releases one instance and the textures only it held; an unknown clump is ignored.
void rwReleaseModel(r3d::Clump* clump);

/// The texture of the name; a missing entry is fatal (606), an unreadable one fatal (858).
r3d::Texture* rwLoadTexture(const std::string& name);
void rwReleaseTexture(const std::string& name);

/// Called with the result slot once the texture is in it, on the main thread.
using RwTextureDone = std::function<void(r3d::Texture** slot)>;
/// Starts loading the texture in the background: 1 when started or already cached (the
/// completion then runs at once), 0 when a load of the name is already pending.
int rwLoadTextureAsync(const std::string& name, RwTextureDone completion, r3d::Texture** slot);
/// Finishes the background loads that have arrived, with their completions (main thread).
void rwRunCompletions();

/// The backdrop image of the name, counted apart from textures; missing is fatal (606).
r3d::Image* rwLoadTextureAlt(const std::string& name);
void rwReleaseTextureAlt(const std::string& name);

/// Destroys the wake and bubble-trail children of a model.
void rwRemoveTaggedChildren(r3d::Clump& clump);

/// The reference count of a cached texture or backdrop image (0 when not cached).
int rwTextureReferences(const std::string& name);
int rwBackdropReferences(const std::string& name);
/// Loaded model instances.
int rwModelInstances();

/// Receives the fatal errors of the caches (text id and source line); the program's reporter by
/// default (null puts it back). A hook that returns makes the failing load return null.
using RwFatalHook = std::function<void(int text, int line)>;
void rwSetFatalHook(RwFatalHook hook);
/// Reports a fatal error of the 3-D views through the hook (the optic's missing art too).
void rwReportFatal(int text, int line);
inline constexpr int kTextMissingEntry = 606;
inline constexpr int kTextUnreadableChunk = 858;

} // namespace q71
