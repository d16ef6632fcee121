#include "app/OErrorLog.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "app/GameFolders.h"

namespace {

struct LocalTime {
    int year, month, day, hour, minute, second;
};

LocalTime Now() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// The game's log: constructed during static initialisation, so it is open
// before main and closed after main has returned.
OErrorLog gameLog(GameFolders::Instance().Log("Report.html").c_str());

}  // namespace

OErrorLog& OErrorLog::Instance() {
    return gameLog;
}

OErrorLog::OErrorLog(const char* name) : start(std::chrono::steady_clock::now()) {
    std::strncpy(fileName, name, kMaxFileNameLength);
    fileName[kMaxFileNameLength] = '\0';
    WriteOpening();
}

OErrorLog::~OErrorLog() {
    WriteClosing();
}

void OErrorLog::WriteOpening() {
    FILE* file = std::fopen(fileName, "w");
    if (!file) {
        return;  // the log's own file errors are not reported
    }
    LocalTime t = Now();
    std::fputs("<HTML>\n<HEAD>  <TITLE> Log file  </TITLE>  </HEAD>\n", file);
    std::fputs("<BODY>\n", file);
    std::fputs("<FONT  STYLE='FONT-SIZE: 10pt'>\n<PRE>", file);
    std::fprintf(file,
                 "\n<B><FONT color= '0000ff'>Log file opened: %d/%02d/%02d - %02d:%02d:%02d "
                 "</FONT></B>\n\n",
                 t.year, t.month, t.day, t.hour, t.minute, t.second);
    std::fclose(file);
}

void OErrorLog::WriteClosing() {
    FILE* file = std::fopen(fileName, "a");
    if (!file) {
        return;
    }
    LocalTime t = Now();
    std::fprintf(file, "\n<B><FONT color= '0000ff'>Total Errors = %d\n", errorCount);
    std::fprintf(file, "Log file closed: %d/%02d/%02d - %02d:%02d:%02d </FONT></B>\n\n", t.year,
                 t.month, t.day, t.hour, t.minute, t.second);
    std::fclose(file);
}

void OErrorLog::FormatMessage(const char* format, va_list args) {
    std::vsnprintf(buffer, sizeof buffer, format, args);
}

long OErrorLog::MillisecondsSinceStart() const {
    auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

int OErrorLog::Error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatMessage(format, args);
    va_end(args);
    if (FILE* file = std::fopen(fileName, "a")) {
        std::fprintf(file, "%7ld> <B><FONT color= 'ff0000'>Error:</FONT></B> %s\n",
                     MillisecondsSinceStart(), buffer);
        std::fclose(file);
    }
    return ++errorCount;
}

void OErrorLog::Message(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatMessage(format, args);
    va_end(args);
    if (FILE* file = std::fopen(fileName, "a")) {
        std::fprintf(file, "%s\n", buffer);
        std::fclose(file);
    }
}
