#pragma once

#include <string>

// The game's icon for desktops: the window icon's art drawn at each size of
// the freedesktop "hicolor" theme, written as DIR/<n>x<n>/apps/<name>.png.
class DesktopIcons {
public:
    static constexpr int kSizes[] = {48, 64, 128, 256};

    static void WriteAll(const std::string& dir, const std::string& name);
};
