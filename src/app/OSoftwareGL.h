#pragma once

#include "app/OException.h"

// Raised when the OpenGL context turns out to be a slow generic software
// renderer. The message is kept in its original Windows-1251 bytes; it is
// never shown to the player.
class OSoftwareGL : public OException {
public:
    OSoftwareGL()
        : OException(
              1,
              "\xC0\xEF\xEF\xE0\xF0\xE0\xF2\xED\xE0\xFF \xEF\xEE\xE4\xE4\xE5\xF0\xE6\xEA\xE0 "
              "OpenGL \xEE\xF2\xF1\xF3\xF2\xF1\xEE\xE2\xF2\xE5\xF2.") {}
};
