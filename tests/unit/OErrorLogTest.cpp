#include "app/OErrorLog.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "app/OFileNotFound.h"
#include "app/OSoftwareGL.h"
#include "support/TempDir.h"

namespace {

size_t Count(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

}  // namespace

TEST(OErrorLog, CleanRunHasHeaderOpeningTotalAndClosingInOrder) {
    TempDir dir;
    const std::string file = dir.File("Report.html");
    { OErrorLog log(file.c_str()); }
    const std::string text = TempDir::Read(file);
    EXPECT_EQ(text.rfind("<HTML>\n<HEAD>  <TITLE> Log file  </TITLE>  </HEAD>\n<BODY>\n"
                         "<FONT  STYLE='FONT-SIZE: 10pt'>\n<PRE>\n",
                         0),
              0u);
    std::regex shape(
        "<PRE>\n<B><FONT color= '0000ff'>Log file opened: \\d{4}/\\d\\d/\\d\\d - "
        "\\d\\d:\\d\\d:\\d\\d </FONT></B>\n\n"
        "\n<B><FONT color= '0000ff'>Total Errors = 0\n"
        "Log file closed: \\d{4}/\\d\\d/\\d\\d - \\d\\d:\\d\\d:\\d\\d </FONT></B>\n\n$");
    EXPECT_TRUE(std::regex_search(text, shape)) << text;
}

TEST(OErrorLog, ErrorRecordsAreCountedAndFormattedOnOneLine) {
    TempDir dir;
    const std::string file = dir.File("Report.html");
    {
        OErrorLog log(file.c_str());
        EXPECT_EQ(log.Error("missing %s", "Data/Textures/Coal.Tga"), 1);
        log.Message("plain %d", 42);
        EXPECT_EQ(log.Error("second"), 2);
    }
    const std::string text = TempDir::Read(file);
    std::regex record(
        "\n {0,6}\\d{1,7}> <B><FONT color= 'ff0000'>Error:</FONT></B> "
        "missing Data/Textures/Coal.Tga\n");
    EXPECT_TRUE(std::regex_search(text, record)) << text;
    EXPECT_NE(text.find("\nplain 42\n"), std::string::npos);
    EXPECT_NE(text.find("Total Errors = 2\n"), std::string::npos);
}

TEST(OErrorLog, ReopeningTruncatesTheEarlierRun) {
    TempDir dir;
    const std::string file = dir.File("Report.html");
    {
        OErrorLog first(file.c_str());
        first.Error("from the first run");
    }
    { OErrorLog second(file.c_str()); }
    const std::string text = TempDir::Read(file);
    EXPECT_EQ(text.find("from the first run"), std::string::npos);
    EXPECT_EQ(Count(text, "Log file opened"), 1u);
}

TEST(OErrorLog, OverlongMessageIsCutNotOverflowed) {
    TempDir dir;
    const std::string file = dir.File("Report.html");
    const std::string huge(100000, 'x');
    {
        OErrorLog log(file.c_str());
        log.Error("%s", huge.c_str());
        log.Message("%s%s", huge.c_str(), "tail");
    }
    const std::string text = TempDir::Read(file);
    EXPECT_EQ(Count(text, std::string(OErrorLog::kMessageBufferSize - 1, 'x')), 2u);
    EXPECT_EQ(text.find(std::string(OErrorLog::kMessageBufferSize, 'x')), std::string::npos);
    EXPECT_EQ(text.find("tail"), std::string::npos);
}

TEST(OErrorLog, UnwritableLocationIsSilentlyIgnored) {
    OErrorLog log("/nonexistent-dir/Report.html");
    EXPECT_EQ(log.Error("goes nowhere"), 1);
}
