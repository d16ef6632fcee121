#include "app/DisplayModePlanner.h"

#include <utility>

DisplayModePlanner::DisplayModePlanner(const DisplayModeTable& table, int desktopWidth,
                                       int desktopHeight, int colorDepth, ModeSwitch trySwitch)
    : table(table),
      desktopWidth(desktopWidth),
      desktopHeight(desktopHeight),
      colorDepth(colorDepth),
      trySwitch(std::move(trySwitch)) {}

bool DisplayModePlanner::SetDisplayMode(State& state) const {
    const DisplayMode& mode = table.Mode(DisplayModeTable::CheckScreenRes(state.screenRes));
    if (!state.fullScreen && desktopWidth <= mode.width && desktopHeight <= mode.height) {
        state.fullScreenOption = true;
        state.fullScreen = true;
    }
    if (!state.fullScreen) {
        state.width = mode.width;
        state.height = mode.height;
        return true;
    }
    for (auto rate = mode.refreshRates.rbegin(); rate != mode.refreshRates.rend(); ++rate) {
        VideoMode request;
        request.width = mode.width;
        request.height = mode.height;
        request.bitsPerPixel = colorDepth;
        request.refreshRate = *rate;
        if (trySwitch(request)) {
            state.width = mode.width;
            state.height = mode.height;
            state.fullScreenOption = true;
            return true;
        }
    }
    return false;
}

void DisplayModePlanner::Choose(State& state) const {
    if (!SetDisplayMode(state)) {
        state.screenRes = 0;
        SetDisplayMode(state);
    }
}
