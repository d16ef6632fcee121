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
// this much. The software renderer takes and frees blocks of 64 KiB every
// frame; with glibc's 128 KiB each frame moved the heap's end up and down
// about twenty times and faulted the pages in again. GiveBack still trims
// everything after loading.
[[maybe_unused]] constexpr int kKeptTopBytes = 1024 * 1024;

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
