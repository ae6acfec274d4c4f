#pragma once
// The mission editor's document: the map objects of the mission being edited and whether it
// changed since it was last saved.

#include "framework/lists/linked_list.h"

namespace q71 {

/// One object placed on the editor's map.
class MapObject {
public:
    virtual ~MapObject() = default;
};

class MissionDocument {
public:
    MissionDocument() = default;
    MissionDocument(const MissionDocument&) = delete;
    MissionDocument& operator=(const MissionDocument&) = delete;
    ~MissionDocument() { objects.deleteAll(); }

    /// Appends an object (owned by the document) and marks the document changed.
    void addObject(MapObject* object) {
        changed = true;
        objects.setCursor(objects.tail());
        objects.appendItem(object);
    }

    LinkedList<MapObject> objects;
    bool changed = false;
};

} // namespace q71
