#pragma once

#include <functional>
#include <string>

// The game's plain OK message boxes. Where no box can be shown (no display)
// the message goes to stderr as "caption: text". Tests put a handler in
// place to see the messages without a box waiting for a click.
class OMessageBox {
public:
    enum class Icon { Error, Information };

    using Handler = std::function<void(const std::string& caption, const std::string& text, Icon)>;

    static void Show(const std::string& caption, const std::string& text, Icon icon = Icon::Error);

    // Replaces the real box; an empty handler restores it.
    static void SetHandler(Handler handler);

private:
    static Handler& CurrentHandler();
};
