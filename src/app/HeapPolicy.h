#pragma once

// How the process's heap gives memory back. Loading decodes pictures and
// sounds into large buffers that live only until the driver or the mixer
// has its own copy; with glibc's default sliding threshold those buffers
// land in the main heap, where freed space in the middle is never returned.
class HeapPolicy {
public:
    // Large blocks always get their own mapping, returned when freed; up to
    // 4 MiB free at the heap's top is kept for the next frame. Called first
    // thing in main.
    static void Apply();
    // Hands free heap pages back to the system; after loading steps.
    static void GiveBack();
};
