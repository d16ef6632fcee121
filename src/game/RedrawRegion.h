#pragma once

#include <cstdint>
#include <vector>

class Board;
class Train;

// Which parts of the window a game frame has to draw when the back buffer
// still holds an earlier frame. Every frame tells what it draws outside the
// things that move (its backdrop) and where those things are; the region is
// where the moving things are now or were in any frame since the one the
// buffer holds. Whenever the backdrop changed since then, or a frame may
// differ anywhere (a panel, a picture), the whole window is drawn.
class RedrawRegion {
public:
    // A rectangle in window pixels, origin at the lower left; x1 and y1 lie
    // just outside it.
    struct Box {
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        long Area() const { return x1 > x0 && y1 > y0 ? long(x1 - x0) * (y1 - y0) : 0; }
    };
    // A rectangle of the 800 x 600 virtual screen, y up.
    struct Area {
        float x0;
        float y0;
        float x1;
        float y1;
    };
    struct Frame {
        // BackBufferAge::Swaps() as the frame is drawn.
        uint64_t swaps = 0;
        // Stands for everything the frame draws outside its moving boxes.
        uint64_t backdrop = 0;
        // False: the frame may differ from the last one anywhere.
        bool still = false;
        std::vector<Box> moving;
    };

    // Frames kept: back buffers up to kHistory - 1 swaps old are brought up
    // to date by part.
    static constexpr int kHistory = 4;
    // More separate boxes than this are merged; each is a pass of drawing.
    static constexpr int kMostBoxes = 4;
    // Boxes covering more than this share of the window: the whole is drawn.
    static constexpr double kMostShare = 0.6;
    // Pixels added around every box for rounding and line widths.
    static constexpr int kMargin = 3;

    // Takes in the frame about to be drawn, with the back buffer's age.
    // True when only Boxes() have to be drawn; false: the whole window.
    bool Plan(const Frame& frame, int age, int windowWidth, int windowHeight);
    const std::vector<Box>& Boxes() const { return boxes; }
    // Nothing is known of what the window shows.
    void Forget() { history.clear(); }

    // A virtual-screen area in the pixels of a viewport at (x, y) of
    // width x height, grown by kMargin.
    static Box ToWindow(const Area& area, int x, int y, int width, int height);
    // Where the board and train draw what moves over the still parts: the
    // engine, every smoke puff at its size, sliding blocks with their items
    // and the hover frames.
    static void AddMoving(const Board& board, const Train& train, std::vector<Area>& areas);

private:
    std::vector<Frame> history;
    std::vector<Box> boxes;
};
