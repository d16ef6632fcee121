#pragma once

#include <string>
#include <vector>

// One line of the scrolling credits.
struct CreditLine {
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    double x = 0.0;
    double y = 0.0;
    float scale = 0.75f;
    std::string text;
};

// Splits the credits text into lines: runs of line feeds count as one, a
// line whose last character before its carriage return is "#" is a heading
// (yellow, the "#" and what follows dropped); other lines stay white and
// keep their carriage return.
class CreditsText {
public:
    static std::vector<CreditLine> Parse(const std::string& text);
};
