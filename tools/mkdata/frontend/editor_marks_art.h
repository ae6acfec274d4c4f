#pragma once
// The marks of the mission editor's map: the objects' strip and the route points' strip, in the
// frame order of src/editor/missioneditor/editor_marks.h.

#include "mkdata/generator.h"

namespace q71::mkdata {

/// Draws both strips and stages them in the editor's group.
void drawEditorMarks(const Context& context);

} // namespace q71::mkdata
