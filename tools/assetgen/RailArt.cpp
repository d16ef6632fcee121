#include "assetgen/RailArt.h"

#include <array>
#include <cmath>

#include "assetgen/Canvas.h"
#include "assetgen/PaintKit.h"
#include "assetgen/Rng.h"

namespace {

constexpr double kScale = RailArt::kSize / 80.0;  // pixels per block unit
constexpr double kRailOffset = 7.0;               // half the gauge, block units
constexpr double kSleeperHalf = 12.5;
constexpr double kBallastHalf = 15.5;

const TrackPath::Point kLeft{-40, 0}, kRight{40, 0}, kTop{0, 40}, kBottom{0, -40};

double Px(double x) {
    return RailArt::kSize / 2.0 + x * kScale;
}
double Py(double y) {
    return RailArt::kSize / 2.0 - y * kScale;
}

void TracePath(cairo_t* cr, const TrackPath& path, double offset) {
    cairo_new_path(cr);
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const TrackPath::Point p = path.At(t);
        const TrackPath::Point d = path.Tangent(t);
        // Normal to the left of the direction of travel.
        const double x = p.x - d.y * offset;
        const double y = p.y + d.x * offset;
        cairo_line_to(cr, Px(x), Py(y));
    }
}

bool EndsInside(const TrackPath& path) {
    const TrackPath::Point p = path.Points()[0];
    return std::fabs(p.x) < 39 && std::fabs(p.y) < 39;
}

void DrawBallast(cairo_t* cr, const std::vector<TrackPath>& paths, unsigned seed) {
    cairo_push_group(cr);
    for (const TrackPath& path : paths) {
        const cairo_line_cap_t cap = EndsInside(path) ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT;
        cairo_set_line_cap(cr, cap);
        TracePath(cr, path, 0);
        cairo_set_source_rgba(cr, 0.42, 0.38, 0.32, 0.55);
        cairo_set_line_width(cr, (kBallastHalf + 2.5) * 2 * kScale);
        cairo_stroke(cr);
        TracePath(cr, path, 0);
        cairo_set_source_rgb(cr, 0.55, 0.51, 0.45);
        cairo_set_line_width(cr, kBallastHalf * 2 * kScale);
        cairo_stroke(cr);
    }
    // Gravel: speckles painted only where the ballast already lies.
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    // Stones are gathered into a few shades and filled one shade at a time.
    Rng rng(seed);
    constexpr int kShades = 6;
    std::vector<std::vector<std::array<double, 3>>> stones(kShades);
    for (int i = 0; i < 2600; ++i) {
        const double x = rng.Range(0, RailArt::kSize);
        const double y = rng.Range(0, RailArt::kSize);
        const double r = rng.Range(0.5, 1.3);
        stones[rng.Next() % kShades].push_back({x, y, r});
    }
    for (int shade = 0; shade < kShades; ++shade) {
        cairo_new_path(cr);
        for (const auto& stone : stones[shade]) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, stone[0], stone[1], stone[2], 0, 2 * M_PI);
        }
        const double v = 0.25 + 0.6 * shade / (kShades - 1);
        cairo_set_source_rgba(cr, v, v * 0.95, v * 0.86, 0.55);
        cairo_fill(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
}

void DrawSleeper(cairo_t* cr, TrackPath::Point p, TrackPath::Point d, double shade) {
    cairo_save(cr);
    cairo_translate(cr, Px(p.x), Py(p.y));
    cairo_rotate(cr, std::atan2(-d.y, d.x));
    const double half = kSleeperHalf * kScale;
    const double thick = 2.6 * kScale;
    cairo_rectangle(cr, -thick / 2 + 1.0, -half + 1.2, thick, half * 2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_rectangle(cr, -thick / 2, -half, thick, half * 2);
    cairo_pattern_t* wood = cairo_pattern_create_linear(-thick / 2, 0, thick / 2, 0);
    cairo_pattern_add_color_stop_rgb(wood, 0, 0.42 * shade, 0.29 * shade, 0.19 * shade);
    cairo_pattern_add_color_stop_rgb(wood, 1, 0.24 * shade, 0.16 * shade, 0.10 * shade);
    cairo_set_source(cr, wood);
    cairo_fill(cr);
    cairo_pattern_destroy(wood);
    // Grain line and the iron chairs under the rails.
    cairo_set_source_rgba(cr, 0.55, 0.42, 0.3, 0.35);
    cairo_set_line_width(cr, 0.6);
    cairo_move_to(cr, -0.5, -half + 2);
    cairo_line_to(cr, -0.5, half - 2);
    cairo_stroke(cr);
    for (double side : {-kRailOffset, kRailOffset}) {
        cairo_rectangle(cr, -thick / 2 - 0.3, side * kScale - 2.4, thick + 0.6, 4.8);
        cairo_set_source_rgb(cr, 0.16, 0.16, 0.17);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void DrawSleepers(cairo_t* cr, const TrackPath& path, bool skipCentre, unsigned seed) {
    Rng rng(seed);
    const int count = std::max(1, static_cast<int>(std::lround(path.Length() / 10.0)));
    for (double t : path.EvenlySpaced(count)) {
        const TrackPath::Point p = path.At(t);
        const double shade = rng.Range(0.85, 1.1);
        if (skipCentre && std::fabs(p.x) < 14 && std::fabs(p.y) < 14) {
            continue;
        }
        DrawSleeper(cr, p, path.Tangent(t), shade);
    }
}

void DrawRails(cairo_t* cr, const TrackPath& path) {
    const cairo_line_cap_t cap = EndsInside(path) ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT;
    cairo_set_line_cap(cr, cap);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (double side : {-kRailOffset, kRailOffset}) {
        cairo_save(cr);
        cairo_translate(cr, 1.0, 1.4);
        TracePath(cr, path, side);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
        cairo_set_line_width(cr, 4.2);
        cairo_stroke(cr);
        cairo_restore(cr);
        TracePath(cr, path, side);
        cairo_set_source_rgb(cr, 0.27, 0.28, 0.30);
        cairo_set_line_width(cr, 3.8);
        cairo_stroke(cr);
        TracePath(cr, path, side);
        cairo_set_source_rgb(cr, 0.52, 0.54, 0.57);
        cairo_set_line_width(cr, 2.4);
        cairo_stroke(cr);
        TracePath(cr, path, side);
        cairo_set_source_rgba(cr, 0.93, 0.95, 0.97, 0.95);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

void CornerBrackets(cairo_t* cr, bool boltSides, bool boltTopBottom) {
    const double s = RailArt::kSize;
    const double arm = 24, w = 9;
    for (int corner = 0; corner < 4; ++corner) {
        cairo_save(cr);
        cairo_translate(cr, (corner & 1) ? s : 0, (corner & 2) ? s : 0);
        cairo_scale(cr, (corner & 1) ? -1 : 1, (corner & 2) ? -1 : 1);
        cairo_move_to(cr, 3, 3);
        cairo_line_to(cr, 3 + arm, 3);
        cairo_line_to(cr, 3 + arm, 3 + w);
        cairo_line_to(cr, 3 + w, 3 + w);
        cairo_line_to(cr, 3 + w, 3 + arm);
        cairo_line_to(cr, 3, 3 + arm);
        cairo_close_path(cr);
        cairo_pattern_t* iron = cairo_pattern_create_linear(0, 0, arm, arm);
        cairo_pattern_add_color_stop_rgb(iron, 0, 0.46, 0.48, 0.5);
        cairo_pattern_add_color_stop_rgb(iron, 1, 0.22, 0.23, 0.25);
        cairo_set_source(cr, iron);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(iron);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        cairo_restore(cr);
        const double bx = (corner & 1) ? s - 7.5 : 7.5;
        const double by = (corner & 2) ? s - 7.5 : 7.5;
        const double ox = (corner & 1) ? -13 : 13;
        const double oy = (corner & 2) ? -13 : 13;
        PaintKit::Bolt(cr, bx, by, 3.0);
        PaintKit::Bolt(cr, bx + ox, by, 2.4);
        PaintKit::Bolt(cr, bx, by + oy, 2.4);
    }
    if (boltSides) {
        PaintKit::Bolt(cr, 6, s / 2, 2.6);
        PaintKit::Bolt(cr, s - 6, s / 2, 2.6);
    }
    if (boltTopBottom) {
        PaintKit::Bolt(cr, s / 2, 6, 2.6);
        PaintKit::Bolt(cr, s / 2, s - 6, 2.6);
    }
}

// Stone platform with paving joints and a white safety edge, in block units.
void Platform(cairo_t* cr, double x0, double x1, double y0, double y1, bool edgeOnRight) {
    const double left = Px(x0), right = Px(x1), top = Py(y1), bottom = Py(y0);
    cairo_rectangle(cr, left + 1.5, top + 2, right - left, bottom - top);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_fill(cr);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_set_source_rgb(cr, 0.78, 0.72, 0.6);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0.45, 0.4, 0.32, 0.6);
    cairo_set_line_width(cr, 0.7);
    for (double y = top + 8; y < bottom - 1; y += 8) {
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, right, y);
    }
    cairo_stroke(cr);
    const double edge = edgeOnRight ? right - 4 : left;
    cairo_rectangle(cr, edge, top, 4, bottom - top);
    cairo_set_source_rgb(cr, 0.93, 0.9, 0.82);
    cairo_fill(cr);
    cairo_rectangle(cr, left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
    cairo_set_source_rgba(cr, 0.3, 0.26, 0.2, 0.8);
    cairo_stroke(cr);
}

void LampPost(cairo_t* cr, double x, double y) {
    cairo_arc(cr, Px(x) + 1.5, Py(y) + 2, 5.2, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(Px(x), Py(y), 0, Px(x), Py(y), 9);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.9, 0.55, 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.9, 0.55, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, Px(x), Py(y), 9, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_arc(cr, Px(x), Py(y), 4.2, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.12, 0.2, 0.18);
    cairo_fill(cr);
    cairo_arc(cr, Px(x), Py(y), 2.4, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 1, 0.92, 0.6);
    cairo_fill(cr);
}

void BufferStop(cairo_t* cr, double y) {
    const double cy = Py(y);
    const double half = (kSleeperHalf + 1) * kScale;
    cairo_rectangle(cr, Px(0) - half + 1.5, cy - 3 + 2, half * 2, 8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_fill(cr);
    cairo_rectangle(cr, Px(0) - half, cy - 3, half * 2, 8);
    cairo_set_source_rgb(cr, 0.3, 0.2, 0.13);
    cairo_fill(cr);
    cairo_rectangle(cr, Px(0) - half * 0.8, cy - 5, half * 1.6, 5);
    cairo_set_source_rgb(cr, 0.78, 0.16, 0.12);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.95, 0.92, 0.85);
    for (int i = -2; i <= 2; i += 2) {
        cairo_rectangle(cr, Px(0) + i * 5 - 1.5, cy - 5, 3, 5);
    }
    cairo_fill(cr);
    for (double side : {-kRailOffset, kRailOffset}) {
        cairo_arc(cr, Px(side), cy - 7, 2.6, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_fill(cr);
        cairo_arc(cr, Px(side) - 0.6, cy - 7.6, 1.1, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
        cairo_fill(cr);
    }
}

// Top-down station building: slate roof with a ridge and a chimney stack.
void StationBuilding(cairo_t* cr, double x0, double x1, double y0, double y1) {
    const double left = Px(x0), right = Px(x1), top = Py(y1), bottom = Py(y0);
    cairo_rectangle(cr, left + 3, top + 4, right - left, bottom - top);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill(cr);
    const double mid = (left + right) / 2;
    // Two roof slopes, the sunlit one brighter.
    cairo_rectangle(cr, left, top, mid - left, bottom - top);
    cairo_set_source_rgb(cr, 0.62, 0.27, 0.2);
    cairo_fill(cr);
    cairo_rectangle(cr, mid, top, right - mid, bottom - top);
    cairo_set_source_rgb(cr, 0.44, 0.18, 0.14);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0.2, 0.06, 0.04, 0.5);
    cairo_set_line_width(cr, 0.7);
    for (double y = top + 4; y < bottom; y += 4) {
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, right, y);
    }
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.82, 0.55, 0.4);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, mid, top);
    cairo_line_to(cr, mid, bottom);
    cairo_stroke(cr);
    cairo_rectangle(cr, left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
    cairo_set_source_rgb(cr, 0.25, 0.1, 0.08);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // Chimney stacks.
    for (double y : {top + 9.0, bottom - 15.0}) {
        cairo_rectangle(cr, mid - 4 + 2, y + 2, 8, 6);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_fill(cr);
        cairo_rectangle(cr, mid - 4, y, 8, 6);
        cairo_set_source_rgb(cr, 0.55, 0.3, 0.22);
        cairo_fill(cr);
        cairo_arc(cr, mid - 1.5, y + 3, 1.3, 0, 2 * M_PI);
        cairo_arc(cr, mid + 1.8, y + 3, 1.3, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.1, 0.08, 0.07);
        cairo_fill(cr);
    }
}

// Platform canopy with a cream valance along the track side.
void Canopy(cairo_t* cr, double x0, double x1, double y0, double y1) {
    const double left = Px(x0), right = Px(x1), top = Py(y1), bottom = Py(y0);
    cairo_rectangle(cr, left + 2, top + 3, right - left, bottom - top);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_set_source_rgb(cr, 0.2, 0.38, 0.33);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.15);
    cairo_set_line_width(cr, 0.8);
    for (double y = top + 3; y < bottom; y += 3) {
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, right, y);
    }
    cairo_stroke(cr);
    // Saw-tooth valance.
    cairo_move_to(cr, right, top);
    for (double y = top; y < bottom; y += 4) {
        cairo_line_to(cr, right + 2.5, y + 2);
        cairo_line_to(cr, right, y + 4);
    }
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.93, 0.88, 0.74);
    cairo_fill(cr);
}

void NameBoard(cairo_t* cr, const char* text, double cx, double cy) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -M_PI / 2);
    PaintKit::SetFont(cr, "DejaVuSans-Bold.ttf", 7.5);
    const double w = PaintKit::TextWidth(cr, text) + 6;
    cairo_rectangle(cr, -w / 2 + 1, -5.5 + 1.5, w, 11);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill(cr);
    cairo_rectangle(cr, -w / 2, -5.5, w, 11);
    cairo_set_source_rgb(cr, 0.13, 0.27, 0.45);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.95, 0.93, 0.86);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    PaintKit::Lettering(cr, text, 0, 2.8, Colour(1, 1, 1), Colour(0.9, 0.9, 0.88), Colour(0, 0, 0),
                        0, 0);
    cairo_restore(cr);
}

void FlowerBed(cairo_t* cr, double cx, double cy, unsigned seed) {
    Rng rng(seed);
    PaintKit::RoundedRect(cr, cx - 7, cy - 12, 14, 24, 4);
    cairo_set_source_rgb(cr, 0.36, 0.25, 0.15);
    cairo_fill(cr);
    static const unsigned colours[] = {0xd84a3a, 0xf2d04a, 0xf4f0e6, 0xb45ad0};
    for (int i = 0; i < 22; ++i) {
        Colour::Hex(colours[rng.Next() % 4]).Use(cr);
        cairo_arc(cr, cx + rng.Range(-5, 5), cy + rng.Range(-10, 10), 1.3, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

}  // namespace

const char* RailArt::KindName(int kind) {
    static const char* const names[kKinds] = {"ABlox", "BBlox", "CBlox", "DBlox", "IBlox",  "FBlox",
                                              "JBlox", "HBlox", "EBlox", "GBlox", "Source", "Dest"};
    return names[kind];
}

std::string RailArt::FileName(int kind) {
    return std::string("Rails/") + KindName(kind) + ".Tga";
}

std::vector<TrackPath> RailArt::Paths(int kind) {
    switch (kind) {
        case 1:
            return {TrackPath::Curve(kLeft, kTop), TrackPath::Curve(kBottom, kRight)};
        case 2:
            return {TrackPath::Curve(kLeft, kBottom), TrackPath::Curve(kTop, kRight)};
        case 3:
            return {TrackPath::Vertical(), TrackPath::Horizontal()};
        case 4:
            return {TrackPath::Horizontal()};
        case 5:
        case 11:
            return {TrackPath::Vertical()};
        case 6:
            return {TrackPath::Curve(kLeft, kTop)};
        case 7:
            return {TrackPath::Curve(kBottom, kRight)};
        case 8:
            return {TrackPath::Curve(kLeft, kBottom)};
        case 9:
            return {TrackPath::Curve(kTop, kRight)};
        case 10:
            return {TrackPath({0, -20}, {0, 0}, {0, 20}, {0, 40})};
        default:
            return {};
    }
}

RgbaImage RailArt::Draw(int kind) {
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.Context();
    const bool isStatic = IsStatic(kind);
    PaintKit::Meadow(cr, 0, 0, kSize, kSize, 7001u + kind * 13u, 1.0);

    const std::vector<TrackPath> paths = Paths(kind);
    if (kind == 10) {
        Platform(cr, 16, 38, -36, 40, false);
    } else if (kind == 11) {
        Platform(cr, -38, -16, -40, 40, true);
    }
    if (!paths.empty()) {
        DrawBallast(cr, paths, 90001u + kind);
        for (size_t i = 0; i < paths.size(); ++i) {
            DrawSleepers(cr, paths[i], kind == 3 && i == 0, 500u + kind * 7u + i);
        }
        for (const TrackPath& path : paths) {
            DrawRails(cr, path);
        }
    }
    if (kind == 10) {
        BufferStop(cr, -21);
        LampPost(cr, 27, -24);
        LampPost(cr, 27, 26);
        NameBoard(cr, "START", Px(30), Py(1));
        FlowerBed(cr, Px(-28), Py(4), 31);
    } else if (kind == 11) {
        StationBuilding(cr, -39, -26, -27, 27);
        Canopy(cr, -26, -19, -30, 30);
        LampPost(cr, 27, 28);
        LampPost(cr, 27, -28);
        NameBoard(cr, "STATION", Px(28), Py(0));
    }
    PaintKit::Bevel(cr, kSize, kSize, isStatic ? 4 : 3);
    if (isStatic) {
        CornerBrackets(cr, kind == 11 || kind == 10, false);
    }
    return canvas.ToImage(false);
}

void RailArt::Add(std::vector<Asset>& out) {
    for (int kind = 0; kind < kKinds; ++kind) {
        out.push_back({FileName(kind), Draw(kind)});
    }
}
