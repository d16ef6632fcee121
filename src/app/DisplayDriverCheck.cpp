#include "app/DisplayDriverCheck.h"

#include <sstream>
#include <string>

#include <strings.h>

namespace {

bool NamesDriver(const char* requestedDrivers, const char* driver) {
    if (requestedDrivers == nullptr)
        return false;
    std::istringstream list(requestedDrivers);
    std::string name;
    while (std::getline(list, name, ',')) {
        if (strcasecmp(name.c_str(), driver) == 0)
            return true;
    }
    return false;
}

}  // namespace

bool DisplayDriverCheck::IsUnrequestedHeadless(const char* currentDriver,
                                               const char* requestedDrivers) {
    if (currentDriver == nullptr)
        return false;
    bool headless =
        strcasecmp(currentDriver, "offscreen") == 0 || strcasecmp(currentDriver, "dummy") == 0;
    return headless && !NamesDriver(requestedDrivers, currentDriver);
}
