#pragma once

// Where the game's 4:3 picture lies in a client area of any size: as large
// as fits with its aspect kept, centred, with black bars on the rest. Every
// screen draws into this rectangle and pointer positions are taken relative
// to it, so a click lands on what is drawn under it.
class PictureViewport {
public:
    static constexpr int kAspectWidth = 4;
    static constexpr int kAspectHeight = 3;

    static PictureViewport Fit(int clientWidth, int clientHeight);

    // The lower-left corner in GL's window coordinates (origin bottom left).
    int GlX() const { return left; }
    int GlY() const { return clientHeight - top - height; }
    // A window pixel (origin top left) relative to the picture's top-left
    // corner; points in the bars fall outside 0..width-1, 0..height-1.
    int ToPictureX(int x) const { return x - left; }
    int ToPictureY(int y) const { return y - top; }

    int clientWidth = 0;
    int clientHeight = 0;
    // Offsets of the picture from the client's left and top edges.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
