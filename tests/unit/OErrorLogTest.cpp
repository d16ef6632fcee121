#include "app/OErrorLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>

#include "support/TempDir.h"

namespace {

size_t Count(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

// Runs one log over `file` from opening to closing; returns what it wrote.
std::string LogOf(const std::string& file, const std::function<void(OErrorLog&)>& body) {
    {
        OErrorLog log(file.c_str());
        body(log);
    }
    return TempDir::Read(file);
}

}  // namespace

// A run that reopens the file drops the earlier one.
TEST(OErrorLog, CleanRunHasHeaderOpeningTotalAndClosingInOrder) {
    TempDir dir;
    const std::string file = dir.File("Report.html");
    LogOf(file, [](OErrorLog& log) { log.Error("from the first run"); });
    const std::string text = LogOf(file, [](OErrorLog&) {});
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
    EXPECT_EQ(text.find("from the first run"), std::string::npos);
    EXPECT_EQ(Count(text, "Log file opened"), 1u);
}

// Errors are counted and formatted on one line; an overlong message is cut,
// not overflowed.
TEST(OErrorLog, ErrorRecordsAreCountedFormattedOnOneLineAndCut) {
    TempDir dir;
    const std::string huge(100000, 'x');
    const std::string text = LogOf(dir.File("Report.html"), [&huge](OErrorLog& log) {
        EXPECT_EQ(log.Error("missing %s", "Data/Textures/Coal.Tga"), 1);
        log.Message("plain %d", 42);
        EXPECT_EQ(log.Error("%s", huge.c_str()), 2);
        log.Message("%s%s", huge.c_str(), "tail");
    });
    std::regex record(
        "\n {0,6}\\d{1,7}> <B><FONT color= 'ff0000'>Error:</FONT></B> "
        "missing Data/Textures/Coal.Tga\n");
    EXPECT_TRUE(std::regex_search(text, record)) << text.substr(0, 1000);
    EXPECT_NE(text.find("\nplain 42\n"), std::string::npos);
    EXPECT_NE(text.find("Total Errors = 2\n"), std::string::npos);
    EXPECT_EQ(Count(text, std::string(OErrorLog::kMessageBufferSize - 1, 'x')), 2u);
    EXPECT_EQ(text.find(std::string(OErrorLog::kMessageBufferSize, 'x')), std::string::npos);
    EXPECT_EQ(text.find("tail"), std::string::npos);
}

TEST(OErrorLog, UnwritableLocationIsSilentlyIgnored) {
    OErrorLog log("/nonexistent-dir/Report.html");
    EXPECT_EQ(log.Error("goes nowhere"), 1);
}
