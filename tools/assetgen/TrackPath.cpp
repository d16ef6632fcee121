#include "assetgen/TrackPath.h"

#include <cmath>

TrackPath TrackPath::Horizontal() {
    return TrackPath({-40, 0}, {-13, 0}, {13, 0}, {40, 0});
}

TrackPath TrackPath::Vertical() {
    return TrackPath({0, -40}, {0, -13}, {0, 13}, {0, 40});
}

TrackPath TrackPath::Curve(Point a, Point b) {
    auto inward = [](Point p) {
        const double len = std::sqrt(p.x * p.x + p.y * p.y);
        return Point{p.x - p.x / len * 30.0, p.y - p.y / len * 30.0};
    };
    return TrackPath(a, inward(a), inward(b), b);
}

TrackPath::Point TrackPath::At(double t) const {
    const double u = 1 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    return {b0 * points_[0].x + b1 * points_[1].x + b2 * points_[2].x + b3 * points_[3].x,
            b0 * points_[0].y + b1 * points_[1].y + b2 * points_[2].y + b3 * points_[3].y};
}

TrackPath::Point TrackPath::Tangent(double t) const {
    const double u = 1 - t;
    Point d{3 * u * u * (points_[1].x - points_[0].x) + 6 * u * t * (points_[2].x - points_[1].x) +
                3 * t * t * (points_[3].x - points_[2].x),
            3 * u * u * (points_[1].y - points_[0].y) + 6 * u * t * (points_[2].y - points_[1].y) +
                3 * t * t * (points_[3].y - points_[2].y)};
    const double len = std::sqrt(d.x * d.x + d.y * d.y);
    if (len < 1e-9) {
        return {0, 1};
    }
    return {d.x / len, d.y / len};
}

double TrackPath::Length() const {
    double length = 0;
    Point previous = At(0);
    for (int i = 1; i <= 200; ++i) {
        const Point p = At(i / 200.0);
        length += std::hypot(p.x - previous.x, p.y - previous.y);
        previous = p;
    }
    return length;
}

std::vector<double> TrackPath::EvenlySpaced(int count) const {
    const int samples = 400;
    std::vector<double> cumulative(samples + 1, 0.0);
    Point previous = At(0);
    for (int i = 1; i <= samples; ++i) {
        const Point p = At(static_cast<double>(i) / samples);
        cumulative[i] = cumulative[i - 1] + std::hypot(p.x - previous.x, p.y - previous.y);
        previous = p;
    }
    std::vector<double> result;
    const double total = cumulative[samples];
    int j = 0;
    for (int k = 0; k < count; ++k) {
        const double target = (k + 0.5) * total / count;
        while (j < samples && cumulative[j + 1] < target) {
            ++j;
        }
        const double span = cumulative[j + 1] - cumulative[j];
        const double f = span > 0 ? (target - cumulative[j]) / span : 0;
        result.push_back((j + f) / samples);
    }
    return result;
}
