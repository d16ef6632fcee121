#pragma once

#include <cstdint>

// Intrusive reference count. The object deletes itself when the last
// reference goes.
class RCObject {
public:
    RCObject() = default;
    RCObject(const RCObject&) = delete;
    RCObject& operator=(const RCObject&) = delete;
    virtual ~RCObject() = default;

    void AddReference() { ++referenceCount; }
    // True when this call released the last reference and deleted the object.
    bool RemoveReference();
    bool IsShared() const { return referenceCount > 1; }
    void MarkUnshareable() { shareable = false; }
    bool IsShareable() const { return shareable; }
    int32_t GetReferenceCount() const { return referenceCount; }

private:
    int32_t referenceCount = 0;
    bool shareable = true;
};
