#pragma once

#include "app/OException.h"

// Raised when a file the game cannot run without is missing or unreadable.
class OFileNotFound : public OException {
public:
    OFileNotFound() : OException(3, "Required file missing. Please reinstall the game.") {}
};
