#pragma once

// Keeps cairo's process-wide caches (freed-pattern pools, font caches) for
// the life of the program and releases them at exit, after every canvas and
// font face has gone, so that leak checkers see a clean shutdown.
class CairoSession {
public:
    // Call before the first use of cairo; later calls do nothing.
    static void Begin();

    CairoSession(const CairoSession&) = delete;
    CairoSession& operator=(const CairoSession&) = delete;

private:
    CairoSession() = default;
    ~CairoSession();
};
