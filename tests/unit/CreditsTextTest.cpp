#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "support/TempDir.h"

namespace {

std::vector<std::string> CreditLines() {
    const std::filesystem::path file =
        std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "assets" / "Credits.Kv";
    const std::string text = TempDir::Read(file.string());
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

}  // namespace

TEST(CreditsText, EveryLineEndsInCarriageReturnLineFeedAndUsesTheFontsCharacters) {
    const std::vector<std::string> lines = CreditLines();
    ASSERT_GT(lines.size(), 10u);
    for (const std::string& line : lines) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r') << line;
        for (size_t i = 0; i + 1 < line.size(); ++i) {
            EXPECT_TRUE(line[i] >= 32 && line[i] <= 126) << line;
        }
    }
}

TEST(CreditsText, NamesTheTeamAndEveryLibraryWithItsLicence) {
    std::string all;
    int headings = 0;
    for (const std::string& line : CreditLines()) {
        all += line;
        // A heading's "#" stands right before its carriage return.
        headings += line.size() >= 2 && line[line.size() - 2] == '#';
    }
    EXPECT_GE(headings, 5);
    EXPECT_EQ(CreditLines().front(), "Carrowmoor#\r");
    for (const char* needle :
         {"Carrowmoor team", "SDL2 - zlib", "SDL2_mixer - zlib", "Mesa 3D - MIT",
          "libjpeg-turbo - IJG and BSD", "cairo - LGPL 2.1 or MPL 1.1",
          "FreeType - FreeType Licence", "DejaVu fonts", "libvorbis - BSD", "LAME - LGPL",
          "GoogleTest - BSD", "Google Benchmark - Apache 2.0"}) {
        EXPECT_NE(all.find(needle), std::string::npos) << needle;
    }
}
