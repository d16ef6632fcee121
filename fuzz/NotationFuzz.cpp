// Feeds arbitrary text to the tune notation and chord readers: they must
// either read it or refuse it with std::invalid_argument, never crash.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "audiogen/Chord.h"
#include "audiogen/Notation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        Notation::Parse(text, 0.0);
        Notation::Length(text);
    } catch (const std::invalid_argument&) {
    }
    try {
        Chord chord = Chord::Parse(text);
        chord.Voicing(0);
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
