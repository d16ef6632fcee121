#include "app/DisplayModeTable.h"

#include <algorithm>

DisplayModeTable::DisplayModeTable() {
    modes[0].width = 640;
    modes[0].height = 480;
    modes[1].width = 800;
    modes[1].height = 600;
    modes[2].width = 1024;
    modes[2].height = 768;
}

void DisplayModeTable::Enumerate(const std::vector<VideoMode>& driverModes) {
    for (DisplayMode& mode : modes)
        mode.refreshRates.clear();
    for (const VideoMode& driverMode : driverModes) {
        if (driverMode.height < kSmallestHeight)
            continue;
        for (DisplayMode& mode : modes) {
            if (mode.width != driverMode.width || mode.height != driverMode.height)
                continue;
            std::vector<int32_t>& rates = mode.refreshRates;
            if (std::find(rates.begin(), rates.end(), driverMode.refreshRate) == rates.end()) {
                rates.push_back(driverMode.refreshRate);
            }
        }
    }
}

int DisplayModeTable::CheckScreenRes(int screenRes) {
    return (screenRes < 0 || screenRes >= kModeCount) ? 0 : screenRes;
}
