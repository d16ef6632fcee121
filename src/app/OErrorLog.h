#pragma once

#include <chrono>
#include <cstdarg>
#include <string>

// The HTML error log "Report.html". The game's one instance is opened before
// main runs and writes its closing record at process exit. Every write opens
// the file, appends and closes it again, so a crash loses nothing written.
class OErrorLog {
public:
    // Longest formatted message; longer ones are cut, never overflow.
    static constexpr size_t kMessageBufferSize = 4096;
    static constexpr size_t kMaxFileNameLength = 128;

    explicit OErrorLog(const char* fileName);
    ~OErrorLog();
    OErrorLog(const OErrorLog&) = delete;
    OErrorLog& operator=(const OErrorLog&) = delete;

    // The process-wide log writing "Report.html" where GameFolders puts it.
    static OErrorLog& Instance();

    // Appends one red error record; returns the new error count.
    int Error(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Appends one plain line.
    void Message(const char* format, ...) __attribute__((format(printf, 2, 3)));

    int GetErrorCount() const { return errorCount; }
    const char* GetFileName() const { return fileName; }

private:
    void FormatMessage(const char* format, va_list args);
    void WriteOpening();
    void WriteClosing();
    long MillisecondsSinceStart() const;

    int errorCount = 0;
    char fileName[kMaxFileNameLength + 1] = {};
    char buffer[kMessageBufferSize] = {};
    std::chrono::steady_clock::time_point start;
};
