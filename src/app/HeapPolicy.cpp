#include "app/HeapPolicy.h"

// <cstdlib> first: it is what defines __GLIBC__ for the tests below.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Blocks from this size on are mapped on their own (glibc's starting value,
// which it otherwise raises after the first large block is freed).
[[maybe_unused]] constexpr int kOwnMappingBytes = 128 * 1024;
// Free memory at the top of the heap is given back to the system only above
// this much. The software renderer takes about 2 MB in blocks of 64 KiB for
// each frame of a game and frees them when the frame is drawn. Kept below
// that, the heap's end moved up and down every frame and every page of it
// was faulted in again: some 5,000 page faults a second and about a quarter
// of the game's CPU. GiveBack still trims everything after loading.
[[maybe_unused]] constexpr int kKeptTopBytes = 4 * 1024 * 1024;

}  // namespace

void HeapPolicy::Apply() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
    mallopt(M_TRIM_THRESHOLD, kKeptTopBytes);
#endif
}

void HeapPolicy::GiveBack() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
