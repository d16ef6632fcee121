#include "render/RCObject.h"

bool RCObject::RemoveReference() {
    if (--referenceCount == 0) {
        delete this;
        return true;
    }
    return false;
}
