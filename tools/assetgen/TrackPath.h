#pragma once

#include <array>
#include <vector>

// A block's rail path: a cubic Bezier in block units (80 per block side,
// origin at the centre, y up), as written in the rail catalogue.
class TrackPath {
public:
    struct Point {
        double x, y;
    };

    TrackPath(Point p0, Point p1, Point p2, Point p3) : points_{p0, p1, p2, p3} {}

    static TrackPath Horizontal();
    static TrackPath Vertical();
    // Curve from side a to side b; sides are the edge midpoints (-40,0),
    // (40,0), (0,40), (0,-40).
    static TrackPath Curve(Point a, Point b);

    Point At(double t) const;
    Point Tangent(double t) const;
    // Parameter values spaced evenly along the curve's length.
    std::vector<double> EvenlySpaced(int count) const;
    double Length() const;
    const std::array<Point, 4>& Points() const { return points_; }

private:
    std::array<Point, 4> points_;
};
