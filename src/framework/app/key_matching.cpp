#include "framework/app/key_matching.h"

#include <cstdlib>

namespace q71 {
namespace {

// The distance between a letter and its control character, read from a text each time.
int ctrlOffset(int textId) {
    const char* text = textGetString(textId);
    return text ? std::atoi(text) : 0;
}

bool sameKey(int8_t key, int recordKey) {
    return key == static_cast<int8_t>(recordKey);
}

} // namespace

bool appKeyMatches(int8_t key, int category, const KeyBinding& record) {
    switch (category) {
    case kKeyCtrlChar:
        return record.kind == kKeyCtrl && sameKey(key, record.key - ctrlOffset(506));
    case kKeyCtrlShiftChar:
        return record.kind == kKeyCtrl && sameKey(key, record.key - ctrlOffset(525));
    case kKeyChar:
    case kKeySysDeadChar:
    case kKeyDeadChar:
        return record.kind == kKeyPlain && sameKey(key, record.key);
    case kKeySysChar:
        return record.kind == kKeyAlt && sameKey(key, record.key);
    case kKeySpecialDown:
        return record.kind == kKeySpecial && sameKey(key, record.key);
    default:
        return false;
    }
}

bool appIsDismissKey(int8_t key, int category) {
    return (category == kKeyChar && (key == 27 || key == 32)) || (category == kKeySpecialDown && key == 13);
}

bool appIsDismissKeyDown(int8_t key) {
    return appIsDismissKey(key, kKeyChar);
}

} // namespace q71
