#include <cstdio>

#include "app/OErrorLog.h"

int main() {
    // The log is already open; referencing it keeps it linked in.
    OErrorLog::Instance();
    std::puts("Carrowmoor: the foundation is built; the playable game is not there yet.");
    return 0;
}
