#include "app/OErrorLog.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/TempDir.h"

// A run that reopens the file drops the earlier one and writes the header,
// the opening, its records and the total with the closing, in that order.
// Errors are counted and formatted on one line; an overlong message is cut,
// not overflowed. A log that cannot be written is silently ignored.
TEST(OErrorLog, RunsWriteHeaderRecordsAndTotalInOrderAndCutOverlongMessages) {
    EXPECT_EQ(OErrorLog("/nonexistent-dir/Report.html").Error("goes nowhere"), 1);
    TempDir dir;
    const std::string file = dir.File("Report.html");
    OErrorLog(file.c_str()).Error("from the first run");
    const std::string huge(100000, 'x');
    {
        OErrorLog log(file.c_str());
        EXPECT_EQ(log.Error("missing %s", "Data/Textures/Coal.Tga"), 1);
        log.Message("plain %d", 42);
        EXPECT_EQ(log.Error("%s", huge.c_str()), 2);
        log.Message("%s%s", huge.c_str(), "tail");
    }
    // Times and the milliseconds before each error vary from run to run.
    std::string text =
        std::regex_replace(TempDir::Read(file), std::regex("\\n {0,6}\\d{1,7}> "), "\nN> ");
    text =
        std::regex_replace(text, std::regex("\\d{4}/\\d\\d/\\d\\d - \\d\\d:\\d\\d:\\d\\d "), "T ");
    const std::string cut(OErrorLog::kMessageBufferSize - 1, 'x');
    const std::string error = "N> <B><FONT color= 'ff0000'>Error:</FONT></B> ";
    EXPECT_EQ(text,
              "<HTML>\n<HEAD>  <TITLE> Log file  </TITLE>  </HEAD>\n<BODY>\n"
              "<FONT  STYLE='FONT-SIZE: 10pt'>\n<PRE>\n"
              "<B><FONT color= '0000ff'>Log file opened: T </FONT></B>\n\n" +
                  error + "missing Data/Textures/Coal.Tga\nplain 42\n" + error + cut + "\n" + cut +
                  "\n\n<B><FONT color= '0000ff'>Total Errors = 2\n"
                  "Log file closed: T </FONT></B>\n\n");
}
