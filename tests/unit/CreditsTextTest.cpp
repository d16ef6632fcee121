#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "support/TempDir.h"

// Every line of the credits ends in a carriage return before its line feed
// and uses only the font's characters; the text names the team and every
// library with its licence under its headings (a heading's "#" stands right
// before its carriage return).
TEST(CreditsText, EveryLineUsesTheFontsCharactersAndEveryLibraryIsNamedWithItsLicence) {
    const std::filesystem::path file =
        std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "assets" / "Credits.Kv";
    std::istringstream text(TempDir::Read(file.string()));
    std::string all;
    int lines = 0;
    int headings = 0;
    for (std::string line; std::getline(text, line); ++lines) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r') << line;
        for (size_t i = 0; i + 1 < line.size(); ++i)
            EXPECT_TRUE(line[i] >= 32 && line[i] <= 126) << line;
        all += line;
        headings += line.size() >= 2 && line[line.size() - 2] == '#';
    }
    EXPECT_GT(lines, 10);
    EXPECT_EQ(all.rfind("Carrowmoor#\r", 0), 0u);
    EXPECT_GE(headings, 5);
    for (const char* needle :
         {"Carrowmoor team", "SDL2 - zlib", "SDL2_mixer - zlib", "Mesa 3D - MIT",
          "libjpeg-turbo - IJG and BSD", "cairo - LGPL 2.1 or MPL 1.1",
          "FreeType - FreeType Licence", "DejaVu fonts", "libvorbis - BSD", "LAME - LGPL",
          "GoogleTest - BSD", "Google Benchmark - Apache 2.0"}) {
        EXPECT_NE(all.find(needle), std::string::npos) << needle;
    }
}
