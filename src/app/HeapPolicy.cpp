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

}  // namespace

void HeapPolicy::Apply() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
#endif
}

void HeapPolicy::GiveBack() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
