#include "ui/CreditsText.h"

std::vector<CreditLine> CreditsText::Parse(const std::string& text) {
    std::vector<CreditLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            CreditLine line;
            line.text = text.substr(start, end - start);
            const size_t length = line.text.size();
            if (length >= 2 && line.text[length - 2] == '#') {
                line.text.erase(length - 2);
                line.colour[2] = 0.0f;  // yellow
            }
            lines.push_back(line);
        }
        start = end + 1;
    }
    return lines;
}
